#include "settings.h"

#include "ansi_text.h"
#include "radix_number.h"
#include "texts.h"

#include <cmath>
#include <cstdlib>

const SettingKey kSettingKeys[kSettingKeyCount] = {
    {kKeyKind, SettingKind::Number, &Settings::BGM_Kind, nullptr},
    {kKeyTrack, SettingKind::Number, &Settings::BGM_Track, nullptr},
    {kKeyFile, SettingKind::Path, nullptr, &Settings::BGM_File},
    {kKeyDisplay, SettingKind::Number, &Settings::Display, nullptr},
    {kKeyEndOnInput, SettingKind::Number, &Settings::EndOnInput, nullptr},
};

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The digits after &H or &O: the whole rest must be digits of the radix, at most eight of them.
bool ReadRadix(const std::string& digits, int radix, double* value)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    for (char c : digits)
        if (RadixDigit(c, radix) < 0)
            return false;
    long long v = 0;
    if (!RadixValue(digits, radix, &v))
        return false;
    *value = static_cast<double>(v);
    return true;
}

} // namespace

bool ReadNumber(const std::string& text, double* value)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    const std::string t = text.substr(begin, end - begin);
    if (t.size() >= 2 && t[0] == '&') {
        const char radix = static_cast<char>(t[1] & ~0x20);
        if (radix == 'H')
            return ReadRadix(t.substr(2), 16, value);
        if (radix == 'O')
            return ReadRadix(t.substr(2), 8, value);
        return false;
    }
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9')
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        std::size_t exponent = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    if (i != t.size())
        return false;
    const double v = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(v))
        return false;
    *value = v;
    return true;
}

bool LoadNumber(const std::string& text, std::int16_t* value)
{
    if (text.empty()) {
        *value = 0;
        return true;
    }
    double v = 0;
    if (!ReadNumber(text, &v))
        return false;
    const double whole = std::floor(v);
    if (whole < -32768.0 || whole > 32767.0)
        return false;
    *value = static_cast<std::int16_t>(whole);
    return true;
}

std::string NumberText(std::int16_t value)
{
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string Folder_Of(const std::string& path)
{
    std::size_t cut = 0;  // bytes up to and including the last ":" or "\"
    const std::vector<std::size_t> starts = CharacterStarts(path);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : path.size();
        if (end - starts[i] == 1 && (path[starts[i]] == ':' || path[starts[i]] == '\\'))
            cut = end;
    }
    std::string folder = path.substr(0, cut);
    if (EndsWithBackslash(folder))
        folder.erase(folder.size() - 1);
    return folder;
}

std::wstring FileToRead(const SettingsFiles& files, bool perUserCopyExists)
{
    return perUserCopyExists && !files.perUser.empty() ? files.perUser : files.beside;
}

std::wstring WriteSettings(const SettingsFiles& files, bool perUserCopyExists,
                          const std::vector<std::pair<const char*, std::string>>& values, const SettingWriter& write)
{
    // Once the per-user copy exists it is what is read: writing beside the programs then would lose
    // the choice at the next start.
    std::vector<std::wstring> places;
    if (!(perUserCopyExists && !files.perUser.empty()))
        places.push_back(files.beside);
    if (!files.perUser.empty())
        places.push_back(files.perUser);
    for (const std::wstring& file : places) {
        bool all = true;
        for (const auto& value : values)
            all = write(file, value.first, value.second) && all;
        if (all)
            return file;
    }
    return std::wstring();
}

bool IsDeviceName(const std::string& path)
{
    const std::string upper = UpperAscii(path);
    if (upper.rfind("\\\\.\\", 0) == 0 || upper.rfind("\\\\?\\", 0) == 0 || upper.rfind("//./", 0) == 0 ||
        upper.rfind("//?/", 0) == 0)
        return true;
    // The last part of the path, up to its first dot, without the blanks the system ignores there.
    std::size_t nameStart = 0;
    const std::vector<std::size_t> starts = CharacterStarts(upper);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const char c = upper[starts[i]];
        const bool single = (i + 1 < starts.size() ? starts[i + 1] : upper.size()) - starts[i] == 1;
        if (single && (c == '\\' || c == '/' || c == ':'))
            nameStart = i + 1 < starts.size() ? starts[i + 1] : upper.size();
    }
    std::string name = upper.substr(nameStart);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    static const char* const kReserved[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* reserved : kReserved)
        if (name == reserved)
            return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '1' &&
           name[3] <= '9';
}

std::string FileType(const std::string& path)
{
    return UpperAscii(LastCharacters(path, 3));
}

void LoadSettings(const SettingsSource& source, Settings& s)
{
    for (const SettingKey& key : kSettingKeys) {
        const std::string text = source.read(key.key);
        if (key.kind == SettingKind::Number) {
            LoadNumber(text, &(s.*key.number));
        } else {
            // A file that is gone (or cannot be read) is forgotten, and with it the file as the source.
            s.*key.path = text.empty() || !source.fileExists(text) ? std::string() : text;
        }
    }
    if (s.BGM_File.empty() && s.BGM_Kind == 2)
        s.BGM_Kind = 0;
    s.BGM_Folder = s.BGM_File.empty() ? source.programFolder : Folder_Of(s.BGM_File);
}

std::vector<std::pair<const char*, std::string>> SettingsText(const Settings& s)
{
    std::vector<std::pair<const char*, std::string>> texts;
    for (const SettingKey& key : kSettingKeys)
        texts.emplace_back(key.key, key.kind == SettingKind::Number ? NumberText(s.*key.number) : s.*key.path);
    return texts;
}
