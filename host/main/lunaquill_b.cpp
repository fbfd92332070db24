#include "lunaquill_b.h"

#include "ansi_text.h"
#include "program_folder.h"

#include <shlobj.h>

Settings g_settings;
std::string g_mode;
std::int16_t Cursor_X = 0;
std::int16_t Cursor_Y = 0;

void UseSystemCodePage()
{
    UseLeadByteRule([](unsigned char c) { return IsDBCSLeadByte(c) != FALSE; });
}

const UiTexts& UserTexts()
{
    return TextsFor(GetUserDefaultUILanguage());
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return ProgramFolderOf(path);
}

SettingsFiles SettingsFilePaths()
{
    SettingsFiles files;
    files.beside = JoinPath(ProgramFolder(), kSettingsFileName);
    char appData[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) && appData[0])
        files.perUser = JoinPath(JoinPath(appData, kProgramTitle), kSettingsFileName);
    return files;
}

std::string SettingsFilePath()
{
    const SettingsFiles files = SettingsFilePaths();
    return FileToRead(files, File_Exists(files.perUser));
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
    for (std::size_t start : CharacterStarts(name)) {
        const std::string c = CharacterAt(name.substr(start), 0);
        if (cut.size() + c.size() > 128)
            break;
        cut += c;
    }
    return cut;
}

} // namespace

bool Ini_Write(const std::string& section, const std::string& key, const std::string& value, const std::string& file)
{
    return WritePrivateProfileStringA(Fixed128(section).c_str(), Fixed128(key).c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

bool Save_Settings(const std::vector<std::pair<const char*, std::string>>& values)
{
    const SettingsFiles files = SettingsFilePaths();
    const auto write = [&files](const std::string& file, const char* key, const std::string& value) {
        if (file == files.perUser)
            CreateDirectoryA(Folder_Of(file).c_str(), nullptr);  // the first time only; fails harmlessly after
        return Ini_Write(kSettingsSection, key, value, file);
    };
    return !WriteSettings(files, File_Exists(files.perUser), values, write).empty();
}

bool File_Exists(const std::string& path)
{
    const std::string target = PathToOpen(path);
    // A device (NUL, COM1, a pipe) would open, and opening some of them has effects of its own.
    if (target.empty() || IsDeviceName(target))
        return false;
    // Opening for reading fails for folders and for files that cannot be read.
    HANDLE file = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool onDisk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return onDisk;
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
    RECT to = {};
    GetWindowRect(hWnd, &to);
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}

void Zoom_Close(HWND hWnd)
{
    RECT from = {};
    GetWindowRect(hWnd, &from);
    RECT to = {Cursor_X, Cursor_Y, Cursor_X, Cursor_Y};
    DrawAnimatedRects(hWnd, IDANI_CAPTION, &from, &to);
}

void EndProgram()
{
    ExitProcess(0);
}
