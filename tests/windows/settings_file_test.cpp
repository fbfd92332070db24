// The settings file through the real profile functions, in code page 932.
#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "main/texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string TempFolder(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(SettingsFile, ReadsShiftJisKeysAndCutsLongValues)
{
    const std::string ini = TempFolder("lq settings test") + "\\Lunaquill.ini";
    const std::string longValue(400, 'x');
    WriteBytes(ini, std::string("[Section]\r\n") + kKeyKind + "= 2\r\n" + kKeyTrack + "=-1\r\n" + kKeyFile +
                        "=" + longValue + "\r\n");
    // The profile functions trim blanks around a value as they read it.
    EXPECT_EQ("2", Ini_Read(kSettingsSection, kKeyKind, ini));
    EXPECT_EQ("-1", Ini_Read(kSettingsSection, kKeyTrack, ini));
    EXPECT_EQ(std::string(255, 'x'), Ini_Read(kSettingsSection, kKeyFile, ini)) << "values are cut to 255 bytes";
    EXPECT_EQ("", Ini_Read(kSettingsSection, "BGM", ini));
    EXPECT_EQ("", Ini_Read("Other", kKeyKind, ini));
    EXPECT_EQ("", Ini_Read(kSettingsSection, kKeyKind, ini + ".missing"));
    std::remove(ini.c_str());
}

TEST(SettingsFile, WritesTheKeysByteForByte)
{
    const std::string ini = TempFolder("lq settings test") + "\\written.ini";
    std::remove(ini.c_str());
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
    std::remove(ini.c_str());
}

TEST(SettingsFile, FileExistsOpensFilesOnly)
{
    const std::string folder = TempFolder("lq settings test");
    const std::string file = folder + "\\a.mp3";
    WriteBytes(file, "ID3");
    EXPECT_TRUE(File_Exists(file));
    EXPECT_TRUE(File_Exists(file + "\\")) << "a trailing backslash is dropped first";
    EXPECT_FALSE(File_Exists(folder)) << "a folder is not a file";
    EXPECT_FALSE(File_Exists(folder + "\\"));
    EXPECT_FALSE(File_Exists(""));
    EXPECT_FALSE(File_Exists(folder + "\\nothing.mp3"));
    std::remove(file.c_str());
}

TEST(SettingsFile, ProgramFolderIsTheProgramsOwn)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = ProgramFolder();
    EXPECT_EQ(std::string(path).substr(0, folder.size()), folder);
    EXPECT_NE('\\', folder.back());
    EXPECT_EQ("C:\\", ProgramFolderOf("C:\\Lunaquill.scr"));
    EXPECT_EQ("C:\\\\Lunaquill.dll", JoinPath(ProgramFolderOf("C:\\Lunaquill.scr"), "Lunaquill.dll"));
}
