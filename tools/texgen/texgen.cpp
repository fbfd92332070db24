// texgen: runs texture scripts the way the renderer does and writes the result as an image.
//
//   texgen --builtin DIR [--png]     the five built-in textures as DIR/1.ppm .. DIR/5.ppm (and .png)
//   texgen --print-builtin N         built-in script N in the text form
//   texgen [--text|--bytes] SCRIPT OUT.ppm|OUT.png
#include "image_file.h"
#include "script_text.h"

#include "textures/builtin_scripts.h"
#include "textures/texture_generator.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kUsage[] =
    "usage: texgen --builtin DIR [--png]\n"
    "       texgen --print-builtin N          (N = 1..5)\n"
    "       texgen [--text|--bytes] SCRIPT OUT.ppm|OUT.png\n"
    "A script file holds either the raw byte form (record count, then 9-byte records) or the text\n"
    "form: one record per line, an operation name or opcode number followed by P0..P7; '#' starts a\n"
    "comment. The form is guessed from the bytes unless --text or --bytes is given.\n";

int Usage(const char* problem)
{
    if (problem)
        std::fprintf(stderr, "texgen: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "texgen: %s\n", message.c_str());
    return 1;
}

bool EndsWith(const std::string& s, const char* suffix)
{
    const std::size_t n = std::strlen(suffix);
    if (s.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i])
            return false;
    return true;
}

bool ReadFile(const std::string& path, ByteVector* data)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    unsigned char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof(buffer), f)) > 0;)
        data->insert(data->end(), buffer, buffer + n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Writes every file or none: each goes to a temporary name first and is renamed only once all of
// them were written completely.
bool WriteAll(const std::vector<std::pair<std::string, ByteVector>>& files, std::string* error)
{
    std::vector<std::string> written;
    for (const auto& file : files) {
        const std::string temp = file.first + ".tmp";
        std::FILE* f = std::fopen(temp.c_str(), "wb");
        bool ok = f != nullptr && !file.second.empty();  // an image that could not be encoded is no file
        if (f != nullptr) {
            ok = ok && std::fwrite(file.second.data(), 1, file.second.size(), f) == file.second.size();
            ok = std::fclose(f) == 0 && ok;
            written.push_back(temp);
        }
        if (!ok) {
            for (const std::string& t : written)
                std::remove(t.c_str());
            *error = "cannot write " + file.first;
            return false;
        }
    }
    for (const auto& file : files) {
        std::remove(file.first.c_str());
        if (std::rename((file.first + ".tmp").c_str(), file.first.c_str()) != 0) {
            *error = "cannot write " + file.first;
            return false;
        }
    }
    return true;
}

ByteVector Image(TextureGenerator& generator, const ByteVector& script, bool png)
{
    generator.Run(script.data(), script.size());
    const unsigned char* rgb = reinterpret_cast<const unsigned char*>(generator.Layer(0));
    return png ? EncodePng(rgb, kLayerSide, kLayerSide) : EncodePpm(rgb, kLayerSide, kLayerSide);
}

ByteVector Builtin(int n)
{
    const unsigned char* s = BuiltinScript(n);
    return ByteVector(s, s + ScriptSize(s));
}

int WriteBuiltins(const std::string& folder, bool png)
{
    TextureGenerator generator;
    std::vector<std::pair<std::string, ByteVector>> files;
    for (int n = 1; n <= 5; ++n) {
        const std::string base = folder + "/" + std::to_string(n);
        files.emplace_back(base + ".ppm", Image(generator, Builtin(n), false));
        if (png)
            files.emplace_back(base + ".png", Image(generator, Builtin(n), true));
    }
    std::string error;
    if (!WriteAll(files, &error))
        return Fail(error + " (does the folder exist?)");
    return 0;
}

int RunScriptFile(const std::string& scriptPath, const std::string& outPath, int form)
{
    const bool png = EndsWith(outPath, ".png");
    if (!png && !EndsWith(outPath, ".ppm"))
        return Usage("the output file must end in .ppm or .png");
    ByteVector data;
    if (!ReadFile(scriptPath, &data))
        return Fail("cannot read " + scriptPath);
    const bool bytes = form == 0 ? LooksLikeByteScript(data) : form == 2;
    const ScriptReadResult script =
        bytes ? ReadByteScript(data) : ReadTextScript(std::string(data.begin(), data.end()));
    if (!script.ok)
        return Fail(scriptPath + ": " + script.error);
    for (const std::string& warning : script.warnings)
        std::fprintf(stderr, "texgen: warning: %s: %s\n", scriptPath.c_str(), warning.c_str());
    TextureGenerator generator;
    std::string error;
    if (!WriteAll({{outPath, Image(generator, script.script, png)}}, &error))
        return Fail(error);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h")
        return Usage(nullptr);

    if (args[0] == "--builtin") {
        if (args.size() == 2)
            return WriteBuiltins(args[1], false);
        if (args.size() == 3 && args[2] == "--png")
            return WriteBuiltins(args[1], true);
        return Usage("--builtin takes a folder and optionally --png");
    }
    if (args[0] == "--print-builtin") {
        if (args.size() != 2 || args[1].size() != 1 || args[1][0] < '1' || args[1][0] > '5')
            return Usage("--print-builtin takes a script number from 1 to 5");
        const int n = args[1][0] - '0';
        std::fputs(FormatTextScript(BuiltinScript(n), "Lunaquill built-in texture script " + args[1]).c_str(), stdout);
        return 0;
    }
    int form = 0;  // 0 guess, 1 text, 2 bytes
    if (args[0] == "--text" || args[0] == "--bytes") {
        form = args[0] == "--text" ? 1 : 2;
        args.erase(args.begin());
    }
    if (args.size() != 2 || args[0].empty() || args[0][0] == '-')
        return Usage("expected a script file and an output file");
    return RunScriptFile(args[0], args[1], form);
}
