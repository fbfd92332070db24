// The settings dialog of the real Lunaquill.scr /c, driven with the mouse and keyboard; its results
// read from Lunaquill.ini and from the screen.
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace lqtest;

namespace {

const std::string kKind = "BGM\x8B\xE6\x95\xAA";      // BGM区分
const std::string kTrack = "BGM\xD8\xCB\xDF\xB0\xC4";  // BGMﾘﾋﾟｰﾄ
const std::string kFile = "BGM\xCC\xA7\xB2\xD9";       // BGMﾌｧｲﾙ
// "このﾌｧｲﾙの名前には、このｼｽﾃﾑでは Lunaquill.ini に保存できない文字があります。ﾌｧｲﾙかﾌｫﾙﾀﾞの名前を変え
// るか、別のﾌｧｲﾙを選んでください。"
const char kUnspellableText[] =
    "\x82\xB1\x82\xCC\xCC\xA7\xB2\xD9\x82\xCC\x96\xBC\x91O\x82\xC9\x82\xCD\x81" "A\x82\xB1\x82\xCC\xBC\xBD\xC3\xD1"
    "\x82\xC5\x82\xCD Lunaquill.ini \x82\xC9\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xAA"
    "\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81" "B\xCC\xA7\xB2\xD9\x82\xA9\xCC\xAB\xD9\xC0\xDE\x82\xCC\x96\xBC\x91O\x82\xF0"
    "\x95\xCF\x82\xA6\x82\xE9\x82\xA9\x81" "A\x95\xCA\x82\xCC\xCC\xA7\xB2\xD9\x82\xF0\x91I\x82\xF1\x82\xC5\x82\xAD"
    "\x82\xBE\x82\xB3\x82\xA2\x81" "B";
const char kPickerTitle[] = "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD";  // ﾌｧｲﾙを開く

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What Wine's profile functions make of the writes (Windows would keep a blank before positive
// numbers: "= 1"); an empty display is a file from a version without the display keys.
std::string Written(const std::string& kind, const std::string& track, const std::string& file,
                    const std::string& display = "0", const std::string& endOnInput = "0")
{
    const std::string music =
        "[Section]\r\n" + kKind + "=" + kind + "\r\n" + kTrack + "=" + track + "\r\n" + kFile + "=" + file + "\r\n";
    return display.empty() ? music : music + "Display=" + display + "\r\nEndOnInput=" + endOnInput + "\r\n";
}

// 0xRRGGBB colours within a tolerance in each channel.
bool Near(unsigned a, unsigned b, int tolerance = 2)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, FindWindowA(nullptr, "<Lunaquill>")) << "a dialog is already open";
        // A folder no code page spells ("Łódź ✓"): the programs find each other and their settings
        // by wide paths.
        m_folder = FolderWithPrograms("Lunaquill dialog \xC5\x81\xC3\xB3" "d\xC5\xBA \xE2\x9C\x93");
        ASSERT_FALSE(m_folder.empty());
        m_ini = m_folder + "\\Lunaquill.ini";
        SetCursorPos(900, 700);
    }
    void TearDown() override
    {
        m_other.Kill();
        m_host.Kill();
        RemoveFolder(m_folder);
    }

    void Open(const std::string& iniBytes, const std::string& arguments = "/c")
    {
        if (!iniBytes.empty())
            WriteBytes(m_ini, iniBytes);
        m_ui = OpenDialog(m_host, m_folder, arguments, 15000);
        m_dialog = m_ui.window;
        m_panel = m_ui.panel;
        ASSERT_NE(nullptr, m_dialog) << "no settings dialog";
        m_combo = FirstChildOfClass(m_dialog, "ComboBox");
        ASSERT_NE(nullptr, m_panel);
        ASSERT_NE(nullptr, m_combo);
    }

    // A control by its layout name: its middle, or a point in twips from its top left corner.
    POINT At(const char* name, int index = -1) { return ControlPoint(m_ui, name, index); }
    POINT At(const char* name, int index, int twipsX, int twipsY) { return ControlPoint(m_ui, name, index, twipsX, twipsY); }

    // A click, then the dialog given the time to show what it did.
    void Click(POINT p, bool right = false)
    {
        ClickAt(p.x, p.y, right);
        RECT area;
        GetWindowRect(m_dialog, &area);
        WaitUntilStill(area, 3000);
    }

    // A source row: its label, or its indicator.
    POINT Row(int kind, bool label = true) { return At(label ? "lbl_BGM" : "Img_BGM", kind); }

    // The indicator of a row is ticked when its middle is blue: a source row, or a display row.
    bool Ticked(int kind, const char* indicator = "Img_BGM")
    {
        const POINT p = At(indicator, kind);
        const unsigned c = ScreenPixel(p.x, p.y);
        return (c & 0xFF) > 150 && (c >> 16) < 130;
    }

    // The file button's outline: dark blue when enabled, grey when disabled.
    bool FileButtonEnabled()
    {
        const POINT p = At("Cmd_File", 0, 300, 15);
        return Near(ScreenPixel(p.x, p.y), 0x003C74, 8);
    }

    std::string TrackText()
    {
        char text[16] = {};
        SendMessageA(m_combo, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));  // the edit's text
        return text;
    }

    // The control that has the dialog's keyboard focus, by its layout name.
    std::string Focused()
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_dialog, nullptr), &info) || !info.hwndFocus)
            return "nothing";
        HWND f = info.hwndFocus;
        if (GetParent(f) == m_combo)
            return "BGM_Repeat";
        switch (GetDlgCtrlID(f)) {
        case 1100: return "Cmd_File";
        case 1110: return "Cmd_Set";
        case 1111: return "Cmd_Can";
        default: break;
        }
        return f == m_dialog ? "the form" : ClassNameOf(f) == "Lunaquill.PictureBox" && f != m_panel ? "Pic_Dummy" : ClassNameOf(f);
    }

    void PressSet() { Click(At("Cmd_Set")); }
    void PressCancel() { Click(At("Cmd_Can")); }

    std::string m_folder, m_ini;
    Process m_host, m_other;
    Dialog m_ui;
    HWND m_dialog = nullptr, m_panel = nullptr, m_combo = nullptr;
};

// The programs in a folder the user cannot write, as Program Files is for a standard user. Run by
// field_e2e.sh, which mounts that folder (and, for the second case, the per-user one) read-only and
// names them in LQ_READ_ONLY_FOLDER and LQ_PER_USER_INI.
class ReadOnlyFolderTest : public DialogTest {
protected:
    void SetUp() override
    {
        char folder[MAX_PATH] = {}, perUser[MAX_PATH] = {};
        if (!GetEnvironmentVariableA("LQ_READ_ONLY_FOLDER", folder, MAX_PATH) ||
            !GetEnvironmentVariableA("LQ_PER_USER_INI", perUser, MAX_PATH))
            GTEST_SKIP() << "run by field_e2e.sh";
        m_folder = folder;
        m_ini = m_folder + "\\Lunaquill.ini";
        m_perUser = perUser;
        SetCursorPos(900, 700);
    }
    void TearDown() override { m_host.Kill(); }

    std::string m_perUser;
};

} // namespace

TEST_F(ReadOnlyFolderTest, SetKeepsTheChoicePerUserAndTheNextDialogShowsIt)
{
    ASSERT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_perUser.c_str())) << "a per-user copy is left from before";
    Open("");
    Click(Row(1));  // the music CD, track 7
    Click(At("BGM_Repeat", -1, 200, 150));
    TapKey(VK_END);
    TypeText("7");
    PressSet();
    ASSERT_TRUE(m_host.WaitForExit(5000)) << "Set closes the dialog once the choice is kept";
    EXPECT_FALSE(Exists(m_ini)) << "the folder was writable after all";
    EXPECT_EQ(Written("1", "7", ""), ReadBytes(m_perUser));

    Open("");
    EXPECT_TRUE(Ticked(1)) << "the next dialog does not show the choice";
    EXPECT_EQ("7", TrackText());
    PressCancel();
    ASSERT_TRUE(m_host.WaitForExit(5000));
}

TEST_F(ReadOnlyFolderTest, WithNoPlaceToKeepItTheUserIsToldAndTheDialogStays)
{
    const std::string before = ReadBytes(m_perUser);
    Open("");
    Click(Row(0));
    PressSet();
    const std::vector<HWND> boxes = WaitForMessageBoxes(m_host.Id(), 5000);
    ASSERT_EQ(1u, boxes.size()) << "Set failed in silence";
    // "Lunaquill.ini に設定を保存できません！"
    EXPECT_EQ("Lunaquill.ini \x82\xC9\x90\xDD\x92\xE8\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9"
              "\x82\xF1\x81I",
              MessageTextOf(boxes[0]));
    EXPECT_EQ("Lunaquill", TextOf(boxes[0]));
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([this] { return MessageBoxesOf(m_host.Id()).empty(); }, 5000));
    EXPECT_FALSE(m_host.WaitForExit(500)) << "the program ended after the message";
    EXPECT_TRUE(IsWindowVisible(m_dialog)) << "the dialog closed although nothing was kept";
    EXPECT_TRUE(Ticked(0)) << "the choice is still on screen to try again";
    EXPECT_EQ(before, ReadBytes(m_perUser));
    PressCancel();
    ASSERT_TRUE(m_host.WaitForExit(5000));
}

TEST_F(DialogTest, OpensWhereAndAsItIsLaidOut)
{
    // As Windows asks for it from its screen saver settings: /c: and that window's handle, which the
    // dialog does not take as its owner.
    HWND settings = CreateWindowExA(0, "Static", "Screen Saver Settings", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200,
                                    nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, settings);
    Open("", "/c:" + std::to_string(reinterpret_cast<UINT_PTR>(settings)));
    EXPECT_NE(settings, GetWindow(m_dialog, GW_OWNER));
    RECT client;
    GetClientRect(m_dialog, &client);
    EXPECT_EQ(496, client.right);
    EXPECT_EQ(319, client.bottom);
    RECT window;
    GetWindowRect(m_dialog, &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) * 15 - w * 15) / 2 / 15, window.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) * 15 - h * 15) / 3 / 15, window.top);
    const LONG style = GetWindowLongA(m_dialog, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_NE(nullptr, GetWindow(m_dialog, GW_OWNER)) << "an owned window stays out of the taskbar";
    EXPECT_FALSE(GetWindowLongA(m_dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    // The gradients: dark blue at the top, pale lavender in the middle; the panel dark grey to near white.
    POINT top = {2, 0}, middle = {2, client.bottom / 2};
    ClientToScreen(m_dialog, &top);
    ClientToScreen(m_dialog, &middle);
    EXPECT_TRUE(Near(0x00001E, ScreenPixel(top.x, top.y))) << std::hex << ScreenPixel(top.x, top.y);
    EXPECT_TRUE(Near(0xDCDCFA, ScreenPixel(middle.x, middle.y))) << std::hex << ScreenPixel(middle.x, middle.y);
    RECT panel;
    GetClientRect(m_panel, &panel);
    POINT panelTop = {400, 0}, panelMiddle = {400, panel.bottom / 2};
    ClientToScreen(m_panel, &panelTop);
    ClientToScreen(m_panel, &panelMiddle);
    EXPECT_TRUE(Near(0x1E1E1E, ScreenPixel(panelTop.x, panelTop.y)));
    EXPECT_TRUE(Near(0xFAFAFA, ScreenPixel(panelMiddle.x, panelMiddle.y)));

    // No music set: "なし" ticked, track box and file button disabled; the track list holds 31 entries.
    EXPECT_TRUE(Ticked(0));
    EXPECT_FALSE(Ticked(1));
    EXPECT_FALSE(IsWindowEnabled(m_combo));
    EXPECT_FALSE(FileButtonEnabled());
    EXPECT_EQ(31, SendMessageA(m_combo, CB_GETCOUNT, 0, 0));
    // The track box stays white while disabled (left of its drop-down button).
    int white = 0;
    for (int x = 3; x < 20; ++x)
        for (int y = 5; y < 12; ++y) {
            const POINT p = At("BGM_Repeat", -1, x * 15, y * 15);
            white += ScreenPixel(p.x, p.y) == 0xFFFFFF;
        }
    EXPECT_EQ(17 * 7, white) << "the disabled track box is not white";
    DestroyWindow(settings);
}

TEST_F(DialogTest, TabFollowsTheLayoutAndTheFocusComesBackAfterThePicker)
{
    Open("");
    Click(Row(2));
    Click(At("Cmd_File", 0));  // the "..." button takes the focus and opens the picker
    HWND picker = WaitForWindow(kPickerTitle, 15000);
    ASSERT_NE(nullptr, picker);
    ASSERT_TRUE(WaitUntil([picker] { return IsWindowVisible(picker) != FALSE; }, 5000));
    PressKey(picker, VK_ESCAPE);
    ASSERT_TRUE(WaitForNoWindow(kPickerTitle, 5000));
    EXPECT_TRUE(WaitUntil([this] { return Focused() == "Cmd_File"; }, 3000)) << "the focus did not come back after the picker";
    SetCursorPos(900, 700);
    // The hover look gives way to the focus look.
    const POINT face = At("Cmd_File", 0, 300, 30);
    EXPECT_TRUE(WaitUntil([face] { return Near(ScreenPixel(face.x, face.y), 0xCEE7FF, 8); }, 3000))
        << "the focused button lost its Selected look";

    std::string walk;
    for (int i = 0; i < 4; ++i) {
        TapKey(VK_TAB);
        walk += Focused() + " ";
    }
    EXPECT_EQ("Cmd_Set Cmd_Can Pic_Dummy Cmd_File ", walk);

    Click(Row(1));  // the CD: the track box takes the file button's place in the walk
    for (int i = 0; i < 6 && Focused() != "Cmd_Set"; ++i)
        TapKey(VK_TAB);
    walk.clear();
    for (int i = 0; i < 4; ++i) {
        TapKey(VK_TAB);
        walk += Focused() + " ";
    }
    // A disabled Command button still takes the focus; it only ignores it.
    EXPECT_EQ("Cmd_Can Pic_Dummy BGM_Repeat Cmd_File ", walk);
    PressCancel();
    ASSERT_TRUE(m_host.WaitForExit(5000));
}

TEST_F(DialogTest, RowsChooseTheSourceWithEitherButtonAndSetWritesIt)
{
    Open(Written("1", "7", "", "", ""));  // as an earlier version wrote it
    EXPECT_FALSE(Ticked(0, "Img_Disp"));
    EXPECT_FALSE(Ticked(1, "Img_Disp"));
    EXPECT_TRUE(Ticked(1));
    EXPECT_TRUE(IsWindowEnabled(m_combo));
    EXPECT_EQ("7", TrackText());

    Click(Row(2), true);  // right button on the MP3/WAV label
    EXPECT_TRUE(Ticked(2));
    EXPECT_FALSE(Ticked(1));
    EXPECT_FALSE(IsWindowEnabled(m_combo));
    EXPECT_TRUE(FileButtonEnabled());
    Click(Row(0, false));  // left button on the "none" indicator
    EXPECT_TRUE(Ticked(0));
    EXPECT_FALSE(FileButtonEnabled());
    Click(Row(1));
    EXPECT_TRUE(IsWindowEnabled(m_combo));

    // Type a track: -1 is written without a blank.
    SetFocus(m_combo);
    Click(At("BGM_Repeat", -1, 200, 150));
    TapKey(VK_END);
    for (int i = 0; i < 3; ++i)
        TapKey(VK_BACK);
    TypeText("-1");
    // The display rows turn on and off with a press on the label or the indicator.
    Click(At("lbl_Disp", 0));
    Click(At("Img_Disp", 1), true);
    EXPECT_TRUE(Ticked(0, "Img_Disp"));
    EXPECT_TRUE(Ticked(1, "Img_Disp"));
    Click(At("lbl_Disp", 1));
    EXPECT_FALSE(Ticked(1, "Img_Disp"));
    Click(At("Img_Disp", 1));
    PressSet();
    ASSERT_TRUE(m_host.WaitForExit(5000)) << "Set closes the dialog";
    EXPECT_EQ(Written("1", "-1", "", "1", "1"), ReadBytes(m_ini));
}

TEST_F(DialogTest, CancelTheCloseBoxEscapeAndEnterLeaveTheFileAlone)
{
    const std::string before = Written("2", "3", "C:\\nothing.mp3") + "; kept as it is\r\n";
    Open(before);
    Click(Row(1));
    TapKey(VK_ESCAPE);
    TapKey(VK_RETURN);
    EXPECT_TRUE(m_host.Running()) << "Escape or Enter closed the dialog";
    for (int i = 0; i < 8 && Focused() != "Cmd_Set"; ++i)
        TapKey(VK_TAB);
    ASSERT_EQ("Cmd_Set", Focused());
    TapKey(VK_SPACE);
    EXPECT_FALSE(m_host.WaitForExit(500)) << "Space pressed a button";
    PressCancel();
    ASSERT_TRUE(m_host.WaitForExit(5000));
    EXPECT_EQ(before, ReadBytes(m_ini));

    DeleteFileW(Wide(m_ini).c_str());
    Open("");
    PostMessageA(m_dialog, WM_CLOSE, 0, 0);  // the close box
    ASSERT_TRUE(m_host.WaitForExit(5000));
    EXPECT_FALSE(Exists(m_ini));
}

// Where a screen reader runs, the keyboard reaches everything: Tab to the first display row, Space
// ticks it, Enter is Set; an arrow chooses the next music row down, and Escape is Cancel.
TEST_F(DialogTest, WithAScreenReaderTheKeyboardDoesWhatTheMouseDoes)
{
    struct ScreenReader {
        explicit ScreenReader(BOOL on) { SystemParametersInfoA(SPI_SETSCREENREADER, on, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); }
        ~ScreenReader() { SystemParametersInfoA(SPI_SETSCREENREADER, FALSE, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE); }
    } reader(TRUE);
    Open(Written("0", "0", ""));
    TapKey(VK_TAB);
    TapKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([this] { return Ticked(0, "Img_Disp"); }, 3000)) << "Tab and Space did not tick the display row";
    TapKey(VK_RETURN);
    ASSERT_TRUE(m_host.WaitForExit(5000)) << "Enter is Set";
    const std::string saved = Written("0", "0", "", "1", "0");
    EXPECT_EQ(saved, ReadBytes(m_ini));

    Open("");
    TapKey(VK_DOWN);
    EXPECT_TRUE(WaitUntil([this] { return Ticked(2); }, 3000)) << "the arrow did not choose MP3/WAV, the row below";
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(m_host.WaitForExit(5000)) << "Escape is Cancel";
    EXPECT_EQ(saved, ReadBytes(m_ini));
}

TEST_F(DialogTest, AnUnknownKindTicksNothingAndIsWrittenBack)
{
    Open(Written("5", "0", "", "1", "7"));
    EXPECT_FALSE(Ticked(0));
    EXPECT_FALSE(Ticked(1));
    EXPECT_FALSE(Ticked(2));
    EXPECT_TRUE(Ticked(0, "Img_Disp")) << "Display 1 read";
    EXPECT_FALSE(Ticked(1, "Img_Disp")) << "an EndOnInput this version does not know is off";
    EXPECT_FALSE(IsWindowEnabled(m_combo));
    EXPECT_FALSE(FileButtonEnabled());
    PressSet();
    ASSERT_TRUE(m_host.WaitForExit(5000));
    EXPECT_EQ(Written("5", "0", "", "1", "7"), ReadBytes(m_ini));
}

TEST_F(DialogTest, TheFilePickerChoosesTheMusicAndRefusesANameTheCodePageCannotSpell)
{
    // One file where the programs are (a folder no code page spells), one in a plain folder.
    const std::string unspellable = m_folder + "\\song 1.mp3", music = FolderWithPrograms("Lunaquill music", {});
    const std::string path = music + "\\song 1.mp3";
    WriteBytes(unspellable, "ID3");
    WriteBytes(path, "ID3");
    Open("");  // no music yet: choose MP3/WAV, then the file
    Click(Row(2));
    ASSERT_TRUE(FileButtonEnabled());
    ASSERT_TRUE(ChooseFile(m_ui, Wide(unspellable), kPickerTitle)) << "no file picker titled ﾌｧｲﾙを開く, or it stayed";
    const std::vector<HWND> boxes = WaitForMessageBoxes(m_host.Id(), 5000);
    ASSERT_EQ(1u, boxes.size()) << "a name the settings file cannot hold was taken in silence";
    EXPECT_EQ(kUnspellableText, MessageTextOf(boxes[0]));
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([this] { return MessageBoxesOf(m_host.Id()).empty(); }, 5000));

    ASSERT_TRUE(ChooseFile(m_ui, Wide(path), kPickerTitle));
    PressSet();
    ASSERT_TRUE(m_host.WaitForExit(5000));
    EXPECT_EQ(Written("2", "0", path), ReadBytes(m_ini)) << "the refused name was kept, or the good one not";
    RemoveFolder(music);
}

TEST_F(DialogTest, OthersStartedMeanwhileEndAtOnceAndTheLinkOpens)
{
    Open("");
    ASSERT_TRUE(m_other.Start(m_folder + "\\Lunaquill.scr", "/c"));
    EXPECT_TRUE(m_other.WaitForExit(3000)) << "a second dialog";
    // A real preview area, so that only the running dialog can be why the preview ends.
    HWND area = CreateWindowExA(0, "Static", "preview area", WS_POPUP | WS_VISIBLE, 100, 100, 152, 112, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, area);
    ASSERT_TRUE(m_other.Start(m_folder + "\\Lunaquill.scr",
                              "/p " + std::to_string(reinterpret_cast<UINT_PTR>(area))));
    EXPECT_TRUE(m_other.WaitForExit(3000)) << "a preview while the dialog is open";
    EXPECT_EQ(nullptr, GetWindow(area, GW_CHILD)) << "the preview drew in its area";
    DestroyWindow(area);

    char session[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("LQ_SESSION", session, sizeof(session)))
        GTEST_SKIP() << "no browser stub (run inside scripts/with-xvfb)";
    const std::string log = std::string("Z:") + session + "/xdg-open.log";
    DeleteFileA(log.c_str());
    const POINT link = At("lbl_URL", -1, 400, 100);
    ClickAt(link.x, link.y);  // a double-click
    ClickAt(link.x, link.y);
    std::string opened;
    WaitUntil([&opened, &log] { return !(opened = ReadBytes(log)).empty(); }, 10000);
    WaitUntil([] { return false; }, 1500);  // time in which a second browser would be asked for
    opened = ReadBytes(log);
    EXPECT_NE(std::string::npos, opened.find("https://lunaquill.example/")) << opened;
    EXPECT_EQ(1, std::count(opened.begin(), opened.end(), '\n')) << "a double-click opened the page more than once:\n" << opened;
    EXPECT_TRUE(m_host.Running());
}

namespace {

// The English captions, run by field_e2e.sh in an English interface (the lab's is Japanese).
class EnglishDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE)
            GTEST_SKIP() << "run by field_e2e.sh in an English interface";
        DialogTest::SetUp();
    }
};

} // namespace

TEST_F(EnglishDialogTest, APressOnTheLastLetterOfARowChoosesIt)
{
    Open(Written("1", "7", ""));
    // "None" is wider in this font than the 330 twips laid out for its Japanese caption: find its
    // last dark pixel on the screen.
    const POINT topLeft = At("lbl_BGM", 0, 0, 0), bottomRight = At("lbl_BGM", 0, 1200, 195);
    const std::vector<unsigned> screen = Screenshot(bottomRight.x + 1, bottomRight.y + 1);
    POINT last = {-1, -1};
    for (int y = topLeft.y; y <= bottomRight.y; ++y)
        for (int x = topLeft.x; x <= bottomRight.x; ++x) {
            const unsigned c = screen[static_cast<std::size_t>(y) * static_cast<std::size_t>(bottomRight.x + 1) + static_cast<std::size_t>(x)];
            if (((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 250 && x > last.x)
                last = {x, y};
        }
    ASSERT_GT(last.x, At("lbl_BGM", 0, 330, 0).x) << "the caption fits its rectangle: nothing to test";
    Click(last);
    EXPECT_TRUE(Ticked(0)) << "a press on the last letter of \"None\" at " << last.x << "," << last.y << " chose nothing";
    PressCancel();
    ASSERT_TRUE(m_host.WaitForExit(5000));
}
