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

std::wstring WideFromAnsi(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

namespace {

std::string AnsiFromWide(const std::wstring& text, DWORD flags, BOOL* lossy)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), size, &ansi[0], static_cast<int>(ansi.size()), nullptr, lossy);
    return ansi;
}

} // namespace

bool AnsiExactly(const std::wstring& text, std::string* ansi)
{
    // Without best fit an L with a stroke does not quietly become a plain L: a changed name would
    // name another file, or none.
    BOOL lossy = FALSE;
    *ansi = AnsiFromWide(text, WC_NO_BEST_FIT_CHARS, &lossy);
    return !lossy && WideFromAnsi(*ansi) == text;
}

std::wstring ProgramFolder()
{
    // The buffer grows until the whole path fits: a folder may be deeper than MAX_PATH.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return ProgramFolderOf(path);
        }
        path.resize(path.size() * 2);
    }
}

namespace {

std::wstring RoamingAppData()
{
    PWSTR folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder)) && folder)
        path = folder;
    CoTaskMemFree(folder);
    return path;
}

} // namespace

SettingsFiles SettingsFilePaths()
{
    SettingsFiles files;
    files.beside = JoinPath(ProgramFolder(), WideFromAnsi(kSettingsFileName));
    const std::wstring appData = RoamingAppData();
    if (!appData.empty())
        files.perUser = JoinPath(JoinPath(appData, WideFromAnsi(kProgramTitle)), WideFromAnsi(kSettingsFileName));
    return files;
}

std::wstring SettingsFilePath()
{
    const SettingsFiles files = SettingsFilePaths();
    return FileToRead(files, File_Exists(files.perUser));
}

namespace {

const std::size_t kValueBytes = 255;  // what the settings file's values are cut to

// The text cut to at most `bytes` bytes, never in the middle of a double-byte character.
std::string CutBetweenCharacters(const std::string& text, std::size_t bytes)
{
    std::string cut;
    for (std::size_t start : CharacterStarts(text)) {
        const std::string c = CharacterAt(text.substr(start), 0);
        if (cut.size() + c.size() > bytes)
            break;
        cut += c;
    }
    return cut;
}

// A name cut to fit a 128-character buffer.
std::string Fixed128(const std::string& name)
{
    return CutBetweenCharacters(name, 128);
}

} // namespace

std::string Ini_Read(const std::string& section, const std::string& key, const std::wstring& file)
{
    // The wide profile functions read and write the file in the system's code page, as the ANSI ones
    // do; they are used here for the path alone. The value is read whole, then cut to 255 bytes.
    std::wstring value(32767, L'\0');
    const DWORD length = GetPrivateProfileStringW(WideFromAnsi(section).c_str(), WideFromAnsi(key).c_str(), L"",
                                                  &value[0], static_cast<DWORD>(value.size()), file.c_str());
    value.resize(length);
    return CutBetweenCharacters(AnsiFromWide(value, 0, nullptr), kValueBytes);
}

bool Ini_Write(const std::string& section, const std::string& key, const std::string& value, const std::wstring& file)
{
    return WritePrivateProfileStringW(WideFromAnsi(Fixed128(section)).c_str(), WideFromAnsi(Fixed128(key)).c_str(),
                                      WideFromAnsi(value).c_str(), file.c_str()) != FALSE;
}

bool Save_Settings(const std::vector<std::pair<const char*, std::string>>& values)
{
    const SettingsFiles files = SettingsFilePaths();
    const auto write = [&files](const std::wstring& file, const char* key, const std::string& value) {
        if (file == files.perUser)
            CreateDirectoryW(ParentFolder(file).c_str(), nullptr);  // the first time only; fails harmlessly after
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
    return File_Exists(WideFromAnsi(target));
}

bool File_Exists(const std::wstring& path)
{
    if (path.empty())
        return false;
    // Opening for reading fails for folders and for files that cannot be read.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool onDisk = GetFileType(file) == FILE_TYPE_DISK;
    CloseHandle(file);
    return onDisk;
}

void Load_Settings()
{
    SettingsSource source;
    const std::wstring file = SettingsFilePath();
    source.read = [&file](const char* key) { return Ini_Read(kSettingsSection, key, file); };
    source.fileExists = [](const std::string& path) { return File_Exists(path); };
    // A folder the code page cannot spell is no start for the file picker's stored folder; the
    // dialog then starts the picker in the program folder itself.
    if (!AnsiExactly(ProgramFolder(), &source.programFolder))
        source.programFolder.clear();
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
