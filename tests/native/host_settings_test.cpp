#include "code_pages.h"
#include "main/command_line.h"
#include "main/program_folder.h"
#include "main/settings.h"
#include "main/texts.h"
#include "preview/preview_handle.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

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
    EXPECT_TRUE(LoadNumber("\t&o17 \t", &v)) << "tabs and blanks around the number are trimmed";
    EXPECT_EQ(15, v);
    EXPECT_TRUE(LoadNumber("&HFFFF", &v)) << "four hex digits are a 16-bit integer";
    EXPECT_EQ(-1, v);
    EXPECT_FALSE(LoadNumber("&H0FFFF", &v)) << "five are a 32-bit one, too large";
    EXPECT_FALSE(LoadNumber("&O8", &v));
    EXPECT_FALSE(LoadNumber("&H", &v));
    double d = 0;
    EXPECT_FALSE(ReadNumber("&H123456789", &d)) << "nine hex digits are no number at all";
}

TEST(SettingsText, NumberTexts)
{
    EXPECT_EQ(" 1", NumberText(1));
    EXPECT_EQ(" 0", NumberText(0));
    EXPECT_EQ("-1", NumberText(-1));
    EXPECT_EQ("-32768", NumberText(-32768));
}

TEST(SettingsText, FolderOfAndFileType)
{
    EXPECT_EQ("C:\\Music", Folder_Of("C:\\Music\\a.mp3"));
    EXPECT_EQ("C:", Folder_Of("C:\\a.mp3"));
    EXPECT_EQ("C:", Folder_Of("C:a.mp3"));
    EXPECT_EQ("", Folder_Of("a.mp3"));
    EXPECT_EQ("MP3", FileType("C:\\a.Mp3"));
    EXPECT_EQ("WAV", FileType("C:\\a.wav"));
    EXPECT_EQ("AVE", FileType("C:\\a.wave"));
    EXPECT_TRUE(EndsWithBackslash("C:\\Music\\"));
}

// The same bytes mean different characters on a Japanese and on a Western system; every walk of the
// host follows the code page it is given.
TEST(SettingsText, CharactersAreWalkedByTheSystemsCodePage)
{
    struct Answers {
        std::string folderOfTrailByte, folderOfMusik, typeOfKanji, mode, handleAfterKanji;
        bool endsWithTrailByte;
    };
    const auto walk = [](LeadByteRule rule) {
        CodePageScope scope(rule);
        return Answers{Folder_Of("C:\\\x95\x5C\\a.mp3"),  // 表 is 95 5C on 932
                       Folder_Of("D:\\M\xFCsik\\Men\xFC\\a.mp3"),
                       FileType("C:\\\x82\x4DP3"),  // Ｍ is 82 4D on 932
                       ModeLetter("\x82\xA0s"),
                       std::to_string(PreviewHandleOf("\x82\x60p1234")),
                       EndsWithBackslash("C:\\\x95\x5C")};
    };
    const Answers japanese = walk(Cp932LeadByte);
    EXPECT_EQ("C:\\\x95\x5C", japanese.folderOfTrailByte) << "a trail byte 5C is no separator";
    EXPECT_EQ("D:\\M\xFCsik", japanese.folderOfMusik);
    EXPECT_NE("MP3", japanese.typeOfKanji) << "a double-byte character is not an M";
    EXPECT_EQ("S", japanese.mode) << "a double-byte first character is one character";
    EXPECT_EQ("234", japanese.handleAfterKanji) << "the handle starts at the fourth character";
    EXPECT_FALSE(japanese.endsWithTrailByte);

    const Answers western = walk(Cp1252LeadByte);
    EXPECT_EQ("C:\\\x95\\", western.folderOfTrailByte);
    EXPECT_EQ("D:\\M\xFCsik\\Men\xFC", western.folderOfMusik);
    EXPECT_EQ("MP3", western.typeOfKanji);
    EXPECT_EQ("\xA0", western.mode);
    EXPECT_EQ("1234", western.handleAfterKanji);
    EXPECT_TRUE(western.endsWithTrailByte);
}

TEST(SettingsFile, DeviceNamesAreNoMusicFiles)
{
    for (const char* device : {"NUL", "nul.mp3", "C:\\Music\\COM1.wav", "com9", "LPT1 .mp3", "aux", "CON",
                               "\\\\.\\pipe\\music.mp3", "\\\\?\\GLOBALROOT\\Device\\Null", "//./COM1", "D:CONOUT$"})
        EXPECT_TRUE(IsDeviceName(device)) << device;
    for (const char* file : {"C:\\Music\\a.mp3", "C:\\COM10.mp3", "C:\\console.wav", "C:\\NUL\\a.mp3",
                             "C:\\com0.mp3", "\\\\server\\share\\nul tone.mp3", ""})
        EXPECT_FALSE(IsDeviceName(file)) << file;
}

TEST(SettingsFile, SetWritesWhereTheSettingsAreReadAndFallsBackPerUser)
{
    const SettingsFiles files = {L"C:\\Program Files\\Lunaquill\\Lunaquill.ini",
                                 L"C:\\Users\\\x141\xF3d\x17A\\AppData\\Roaming\\Lunaquill\\Lunaquill.ini"};
    const std::vector<std::pair<const char*, std::string>> values = {
        {kKeyKind, " 1"}, {kKeyTrack, " 3"}, {kKeyFile, ""}};
    std::map<std::wstring, bool> refuses;
    using Write = std::tuple<std::wstring, std::string, std::string>;
    std::vector<Write> writes;
    const SettingWriter write = [&](const std::wstring& file, const char* key, const std::string& value) {
        writes.emplace_back(file, key, value);
        return !refuses[file];
    };

    EXPECT_EQ(files.beside, FileToRead(files, false));
    EXPECT_EQ(files.perUser, FileToRead(files, true));
    EXPECT_EQ(files.beside, FileToRead({files.beside, L""}, true));

    EXPECT_EQ(files.beside, WriteSettings(files, false, values, write));
    EXPECT_EQ((std::vector<Write>{{files.beside, kKeyKind, " 1"}, {files.beside, kKeyTrack, " 3"}, {files.beside, kKeyFile, ""}}),
              writes);

    // A folder the user cannot write: the same three values go to the per-user copy.
    refuses[files.beside] = true;
    writes.clear();
    EXPECT_EQ(files.perUser, WriteSettings(files, false, values, write));
    ASSERT_EQ(6u, writes.size());
    EXPECT_EQ(Write(files.perUser, kKeyKind, " 1"), writes[3]);
    EXPECT_EQ(Write(files.perUser, kKeyFile, ""), writes[5]);

    // Once the per-user copy exists it is written even where the folder beside would take it: the
    // next start reads the copy.
    refuses[files.beside] = false;
    writes.clear();
    EXPECT_EQ(files.perUser, WriteSettings(files, true, values, write));
    EXPECT_EQ(3u, writes.size());

    // Neither place: nothing claims success.
    refuses[files.beside] = refuses[files.perUser] = true;
    EXPECT_EQ(L"", WriteSettings(files, false, values, write));
    EXPECT_EQ(L"", WriteSettings(files, true, values, write));
    EXPECT_EQ(L"", WriteSettings({files.beside, L""}, false, values, write));
}

TEST(SettingsFile, TheProgramFolderIsTheWholeFolderInAnyCharacters)
{
    const struct {
        const wchar_t* module;
        const wchar_t* folder;
    } cases[] = {
        {L"C:\\Lunaquill.scr", L"C:\\"},
        {L"C:\\Program Files\\Lunaquill\\Lunaquill.scr", L"C:\\Program Files\\Lunaquill"},
        {L"D:\\\x141\xF3d\x17A \x2713\\Lunaquill.scr", L"D:\\\x141\xF3d\x17A \x2713"},  // no code page spells it
        {L"\\\\server\\share\\\x8868\\Lunaquill.scr", L"\\\\server\\share\\\x8868"},  // 表: no trail byte to trip on
        {L"Lunaquill.scr", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.folder), ProgramFolderOf(c.module));
    const std::wstring deep = L"C:\\" + std::wstring(300, L'x');
    EXPECT_EQ(deep, ProgramFolderOf(deep + L"\\Lunaquill.scr")) << "longer than MAX_PATH, whole";
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

// The display keys: ASCII names after the music keys, numbers as the music numbers are written, and a
// file from an earlier version (without them) or a value that is no number reads as the original show.
TEST(LoadSettings, DisplayChoicesReadAndWritten)
{
    const struct {
        const char* display;
        const char* endOnInput;
        std::int16_t displayRead, endOnInputRead;
    } rows[] = {
        {nullptr, nullptr, 0, 0},  // an earlier version's file
        {" 1", " 0", 1, 0},
        {" 0", " 1", 0, 1},
        {"1", "&H1", 1, 1},
        {"yes", "", 0, 0},
        {" 2", "-1", 2, -1},  // kept as they are; only 1 turns a choice on
    };
    for (const auto& row : rows) {
        FakeIni ini;
        ini.values = {{kKeyKind, " 1"}};
        if (row.display)
            ini.values[kKeyDisplay] = row.display;
        if (row.endOnInput)
            ini.values[kKeyEndOnInput] = row.endOnInput;
        Settings s;
        LoadSettings(ini.Source(), s);
        EXPECT_EQ(1, s.BGM_Kind);
        EXPECT_EQ(row.displayRead, s.Display) << (row.display ? row.display : "(none)");
        EXPECT_EQ(row.endOnInputRead, s.EndOnInput) << (row.endOnInput ? row.endOnInput : "(none)");
    }
    EXPECT_STREQ("Display", kKeyDisplay);
    EXPECT_STREQ("EndOnInput", kKeyEndOnInput);
    Settings s;
    s.Display = 1;
    const auto written = SettingsText(s);
    ASSERT_EQ(5u, written.size());
    EXPECT_STREQ(kKeyFile, written[2].first) << "the music keys first, as earlier versions wrote them";
    EXPECT_STREQ(kKeyDisplay, written[3].first);
    EXPECT_EQ(" 1", written[3].second);
    EXPECT_STREQ(kKeyEndOnInput, written[4].first);
    EXPECT_EQ(" 0", written[4].second);
}
