#include "main/command_line.h"
#include "main/cp932.h"
#include "main/settings.h"
#include "main/texts.h"

#include <gtest/gtest.h>

#include <map>

TEST(CommandLine, ModeLetterIsTheSecondCharacterUpperCased)
{
    EXPECT_EQ("S", ModeLetter("/s"));
    EXPECT_EQ("S", ModeLetter("/S"));
    EXPECT_EQ("S", ModeLetter("-s"));
    EXPECT_EQ("S", ModeLetter("xs"));
    EXPECT_EQ("P", ModeLetter("/p 1234"));
    EXPECT_EQ("C", ModeLetter("/c:1234"));
    EXPECT_EQ("", ModeLetter(""));
    EXPECT_EQ("", ModeLetter("/"));
    EXPECT_EQ("A", ModeLetter("/a"));
    // A double-byte first character is one character, not two bytes.
    EXPECT_EQ("S", ModeLetter("\x82\xA0s"));
}

TEST(CommandLine, ArgumentsFollowTheProgramPath)
{
    EXPECT_EQ("/s", ArgumentsOf("\"C:\\Program Files\\Lunaquill\\Lunaquill.scr\" /s"));
    EXPECT_EQ("/p 1234", ArgumentsOf("C:\\Lunaquill.scr /p 1234"));
    EXPECT_EQ("/c:99", ArgumentsOf("Lunaquill.scr   /c:99"));
    EXPECT_EQ("", ArgumentsOf("\"C:\\a b\\Lunaquill.scr\""));
    EXPECT_EQ("", ArgumentsOf("Lunaquill.scr"));
    EXPECT_EQ("/p  1234", ArgumentsOf("x.scr /p  1234"));
}

TEST(SettingsText, NumbersAreReadAsThePlatformDoes)
{
    std::int16_t v = 7;
    EXPECT_TRUE(LoadNumber("1.9", &v));
    EXPECT_EQ(1, v);
    EXPECT_TRUE(LoadNumber("-0.5", &v));
    EXPECT_EQ(-1, v);
    EXPECT_TRUE(LoadNumber(" 2", &v));  // the blank the writer puts before positive numbers
    EXPECT_EQ(2, v);
    EXPECT_TRUE(LoadNumber("", &v));
    EXPECT_EQ(0, v);
    v = 7;
    EXPECT_FALSE(LoadNumber("abc", &v));
    EXPECT_FALSE(LoadNumber("70000", &v));
    EXPECT_FALSE(LoadNumber("-32768.5", &v));  // rounds down to -32769
    EXPECT_FALSE(LoadNumber("1x", &v));
    EXPECT_FALSE(LoadNumber(".", &v));
    EXPECT_EQ(7, v) << "a value that is not a usable number leaves the setting as it was";
    EXPECT_TRUE(LoadNumber("32767.9", &v));
    EXPECT_EQ(32767, v);
    EXPECT_TRUE(LoadNumber("1e1", &v));
    EXPECT_EQ(10, v);
    EXPECT_TRUE(LoadNumber("&H10", &v));
    EXPECT_EQ(16, v);
}

TEST(SettingsText, NumberTextsAndTrackRounding)
{
    EXPECT_EQ(" 1", NumberText(1));
    EXPECT_EQ(" 0", NumberText(0));
    EXPECT_EQ("-1", NumberText(-1));
    EXPECT_EQ("-32768", NumberText(-32768));
    EXPECT_EQ(2, TrackFromText("2.5"));
    EXPECT_EQ(4, TrackFromText("3.5"));
    EXPECT_EQ(-2, TrackFromText("-2.5"));
    EXPECT_EQ(12, TrackFromText("12"));
    EXPECT_EQ(0, TrackFromText("abc"));
    EXPECT_EQ(0, TrackFromText(""));
    EXPECT_EQ(0, TrackFromText("99999")) << "outside 16 bits: no particular track";
    EXPECT_EQ(32767, TrackFromText("32767.4"));
    EXPECT_EQ(" 2", NumberText(TrackFromText("2.5")));
}

TEST(SettingsText, FolderOfAndFileType)
{
    EXPECT_EQ("C:\\Music", Folder_Of("C:\\Music\\a.mp3"));
    EXPECT_EQ("C:", Folder_Of("C:\\a.mp3"));
    EXPECT_EQ("C:", Folder_Of("C:a.mp3"));
    EXPECT_EQ("", Folder_Of("a.mp3"));
    // 表 is 95 5C: its second byte is not a separator.
    EXPECT_EQ("C:\\\x95\x5C", Folder_Of("C:\\\x95\x5C\\a.mp3"));
    EXPECT_EQ("C:", Folder_Of("C:\\\x95\x5C.mp3"));

    EXPECT_EQ("MP3", FileType("C:\\a.Mp3"));
    EXPECT_EQ("WAV", FileType("C:\\a.wav"));
    EXPECT_EQ("AVE", FileType("C:\\a.wave"));
    EXPECT_NE("MP3", FileType("C:\\\x82\x4DP3")) << "a double-byte character is not an M";
    EXPECT_TRUE(EndsWithBackslash("C:\\Music\\"));
    EXPECT_FALSE(EndsWithBackslash("C:\\\x95\x5C"));
}

namespace {

struct FakeIni {
    std::map<std::string, std::string> values;
    std::map<std::string, bool> files;

    SettingsSource Source()
    {
        SettingsSource s;
        s.read = [this](const char* key) { return values.count(key) ? values[key] : std::string(); };
        s.fileExists = [this](const std::string& path) { return files.count(path) && files[path]; };
        s.programFolder = "C:\\Saver";
        return s;
    }
};

} // namespace

TEST(LoadSettings, KindsFilesAndFolders)
{
    FakeIni ini;
    Settings s;
    LoadSettings(ini.Source(), s);
    EXPECT_EQ(0, s.BGM_Kind);
    EXPECT_EQ(0, s.BGM_Track);
    EXPECT_EQ("", s.BGM_File);
    EXPECT_EQ("C:\\Saver", s.BGM_Folder);

    ini.values = {{kKeyKind, " 2"}, {kKeyTrack, " 3"}, {kKeyFile, "C:\\Music\\a.mp3"}};
    ini.files["C:\\Music\\a.mp3"] = true;
    LoadSettings(ini.Source(), s);
    EXPECT_EQ(2, s.BGM_Kind);
    EXPECT_EQ(3, s.BGM_Track);
    EXPECT_EQ("C:\\Music\\a.mp3", s.BGM_File);
    EXPECT_EQ("C:\\Music", s.BGM_Folder);

    ini.files["C:\\Music\\a.mp3"] = false;  // gone since it was chosen
    Settings gone;
    LoadSettings(ini.Source(), gone);
    EXPECT_EQ(0, gone.BGM_Kind);
    EXPECT_EQ("", gone.BGM_File);
    EXPECT_EQ("C:\\Saver", gone.BGM_Folder);

    ini.values = {{kKeyKind, " 2"}};
    Settings empty;
    LoadSettings(ini.Source(), empty);
    EXPECT_EQ(0, empty.BGM_Kind) << "kind 2 with no file";

    ini.values = {{kKeyKind, " 1"}};
    Settings cd;
    LoadSettings(ini.Source(), cd);
    EXPECT_EQ(1, cd.BGM_Kind) << "the CD needs no file";

    ini.values = {{kKeyKind, "abc"}, {kKeyTrack, "70000"}};
    Settings kept;
    kept.BGM_Kind = 0;
    LoadSettings(ini.Source(), kept);
    EXPECT_EQ(0, kept.BGM_Kind);
    EXPECT_EQ(0, kept.BGM_Track);
}
