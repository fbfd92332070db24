// The settings file through the real profile functions, in code page 932.
#include "config/track_box.h"
#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "main/texts.h"
#include "show/renderer_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Named with characters no code page of the system spells: the files are reached by wide paths.
std::wstring TempFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder = std::wstring(temp) + L"lq settings \x141\xF3d\x17A \x2713";  // Łódź ✓
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(SettingsFile, ReadsShiftJisKeysAndCutsLongValues)
{
    const std::wstring ini = TempFolder() + L"\\Lunaquill.ini";
    const std::string longValue(400, 'x');
    WriteBytes(ini, std::string("[Section]\r\n") + kKeyKind + "= 2\r\n" + kKeyTrack + "=-1\r\n" + kKeyFile +
                        "=" + longValue + "\r\n");
    // The profile functions trim blanks around a value as they read it.
    EXPECT_EQ("2", Ini_Read(kSettingsSection, kKeyKind, ini));
    EXPECT_EQ("-1", Ini_Read(kSettingsSection, kKeyTrack, ini));
    EXPECT_EQ(std::string(255, 'x'), Ini_Read(kSettingsSection, kKeyFile, ini)) << "values are cut to 255 bytes";
    EXPECT_EQ("", Ini_Read(kSettingsSection, "BGM", ini));
    EXPECT_EQ("", Ini_Read("Other", kKeyKind, ini));
    EXPECT_EQ("", Ini_Read(kSettingsSection, kKeyKind, ini + L".missing"));
    DeleteFileW(ini.c_str());
}

TEST(SettingsFile, WritesTheKeysByteForByte)
{
    const std::wstring ini = TempFolder() + L"\\written.ini";
    DeleteFileW(ini.c_str());
    Ini_Write(kSettingsSection, kKeyKind, NumberText(1), ini);
    Ini_Write(kSettingsSection, kKeyTrack, NumberText(-1), ini);
    Ini_Write(kSettingsSection, kKeyFile, "C:\\\x89\xB9\x8A\x79\\\x95\x5C.mp3", ini);  // C:\音楽\表.mp3
    // Windows writes the number text's leading blank ("= 1"); Wine drops it ("=1"). Either reads as 1.
    std::string bytes = ReadBytes(ini);
    const std::string::size_type blank = bytes.find("= 1\r\n");
    if (blank != std::string::npos)
        bytes.erase(blank + 1, 1);
    EXPECT_EQ(std::string("[Section]\r\n") + kKeyKind + "=1\r\n" + kKeyTrack + "=-1\r\n" + kKeyFile +
                  "=C:\\\x89\xB9\x8A\x79\\\x95\x5C.mp3\r\n",
              bytes);
    DeleteFileW(ini.c_str());
}

TEST(SettingsFile, FileExistsOpensFilesOnly)
{
    const std::wstring wideFolder = TempFolder();
    WriteBytes(wideFolder + L"\\a.mp3", "ID3");
    EXPECT_TRUE(File_Exists(wideFolder + L"\\a.mp3")) << "a file in a folder the code page cannot spell";
    EXPECT_FALSE(File_Exists(wideFolder));
    DeleteFileW((wideFolder + L"\\a.mp3").c_str());

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "lq settings test";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string file = folder + "\\a.mp3";
    std::ofstream(file, std::ios::binary) << "ID3";
    EXPECT_TRUE(File_Exists(file));
    EXPECT_TRUE(File_Exists(file + "\\")) << "a trailing backslash is dropped first";
    EXPECT_FALSE(File_Exists(folder)) << "a folder is not a file";
    EXPECT_FALSE(File_Exists(folder + "\\"));
    EXPECT_FALSE(File_Exists(""));
    EXPECT_FALSE(File_Exists(folder + "\\nothing.mp3"));
    DeleteFileA(file.c_str());
}

TEST(SettingsFile, ProgramFolderIsTheProgramsOwn)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = ProgramFolder();
    EXPECT_EQ(std::wstring(path).substr(0, folder.size()), folder);
    EXPECT_NE(L'\\', folder.back());
    EXPECT_EQ(L"C:\\", ProgramFolderOf(L"C:\\Lunaquill.scr"));
    EXPECT_EQ(L"C:\\\\Lunaquill.dll", JoinPath(ProgramFolderOf(L"C:\\Lunaquill.scr"), L"Lunaquill.dll"));
    EXPECT_EQ(L"D:\\\x141\xF3d\x17A \x2713", ProgramFolderOf(L"D:\\\x141\xF3d\x17A \x2713\\Lunaquill.scr"));

    // The renderer of a program folder deeper than MAX_PATH starts by its short path, in the system
    // folder (Windows refuses so long a current folder; Wine also any program path that long).
    const std::wstring deep = L"\\\\?\\" + TempFolder() + L"\\" + std::wstring(220, L'd');
    CreateDirectoryW(deep.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(path, (deep + L"\\Lunaquill.dll").c_str(), FALSE));
    const std::wstring start = StartablePath(deep.substr(4) + L"\\Lunaquill.dll");
    EXPECT_LT(start.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(start.c_str()));
    EXPECT_EQ(L"C:\\Lunaquill.dll", StartablePath(L"C:\\Lunaquill.dll"));
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(system, RendererFolder());
    DeleteFileW((deep + L"\\Lunaquill.dll").c_str());
    RemoveDirectoryW(deep.c_str());
}

// The track box is judged by the platform's own number reading; these are what it takes under Wine
// in the Japanese locale (and the Western one: the same results).
TEST(SettingsFile, TrackBoxIsReadAsThePlatformReadsNumbers)
{
    const struct {
        const wchar_t* text;
        int track;
    } cases[] = {{L"12", 12}, {L"2.5", 2}, {L"3.5", 4}, {L"-2.5", -2}, {L" 7 ", 7}, {L"1,2", 12} /* a thousands separator */,
                 {L"\xFF11\xFF12", 12} /* full-width, typed with the input method on */, {L"abc", 0}, {L"", 0},
                 {L"12a", 0}, {L"1 2", 0}, {L"99999", 0}, {L"32767.4", 32767}, {L"32767.5", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.track, TrackFromBox(c.text)) << static_cast<int>(std::wstring(c.text).size()) << " characters";

    // A text longer than any fixed buffer is read whole.
    const std::wstring longText = std::wstring(80, L'0') + L"12";
    HWND edit = CreateWindowExW(0, L"EDIT", longText.c_str(), WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(longText, WideWindowText(edit));
    EXPECT_EQ(12, TrackFromBox(WideWindowText(edit)));
    DestroyWindow(edit);
}
