#include "lunaquill_b.h"

#include "cp932.h"
#include "program_folder.h"

Settings g_settings;
std::string g_mode;
std::int16_t Cursor_X = 0;
std::int16_t Cursor_Y = 0;

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ProgramFolderOf(path);
}

std::string SettingsFilePath()
{
    return JoinPath(ProgramFolder(), kSettingsFileName);
}

std::string Ini_Read(const std::string& section, const std::string& key, const std::string& file)
{
    char value[256] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof(value), file.c_str());
    return value;
}

namespace {

// A name cut to fit a 128-character buffer, never in the middle of a double-byte character.
std::string Fixed128(const std::string& name)
{
    std::string cut;
    for (std::size_t start : Cp932CharacterStarts(name)) {
        const std::string c = CharacterAt(name.substr(start), 0);
        if (cut.size() + c.size() > 128)
            break;
        cut += c;
    }
    return cut;
}

} // namespace

std::string Ini_Write(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file)
{
    WritePrivateProfileStringA(Fixed128(section).c_str(), Fixed128(key).c_str(), value.c_str(), file.c_str());
    return std::string();
}

bool File_Exists(const std::string& path)
{
    const std::string target = PathToOpen(path);
    if (target.empty())
        return false;
    // Opening for reading fails for folders and for files that cannot be read.
    HANDLE file = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void Load_Settings()
{
    SettingsSource source;
    const std::string file = SettingsFilePath();
    source.read = [&file](const char* key) { return Ini_Read(kSettingsSection, key, file); };
    source.fileExists = File_Exists;
    source.programFolder = ProgramFolder();
    LoadSettings(source, g_settings);
}

void Zoom_Open(HWND hWnd)
{
    RECT from = {Cursor_X, Cursor_Y, Cursor_X, Cursor_Y};
    RECT to;
    GetWindowRect(hWnd, &to);
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}

void Zoom_Close(HWND hWnd)
{
    RECT from;
    GetWindowRect(hWnd, &from);
    RECT to = {Cursor_X, Cursor_Y, Cursor_X, Cursor_Y};
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}

void EndProgram()
{
    ExitProcess(0);
}
