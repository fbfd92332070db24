// The Command button as a real Win32 control: events through messages and SendInput, faces read
// back from the screen.
#include "controls/command_button.h"
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using lqtest::Pump;

namespace {

const int kId = 101;
std::map<int, int> g_clicks;
std::string g_lastReport;

LRESULT CALLBACK HostProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        ++g_clicks[LOWORD(wParam)];
    if (message == kCommandPropertyChanged)
        g_lastReport = reinterpret_cast<const char*>(lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

COLORREF Hex(unsigned rrggbb)
{
    return RGB((rrggbb >> 16) & 255, (rrggbb >> 8) & 255, rrggbb & 255);
}

struct SideColours {
    unsigned top[4], bottom[4], left[4], right[4];
};

const SideColours kNormal = {{0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE}, {0xE2DFD6, 0xD6D0C5, 0x003C74, 0xFAFAF6},
                             {0xE2DECB, 0x003C74, 0xF4F4F0, 0xF4F4F0}, {0xEEEDE7, 0xE8E5DF, 0x003C74, 0xF0EEE0}};
const SideColours kHighLight = {{0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889}, {0xF8B330, 0xE59700, 0x003C74, 0xFAFAF6},
                                {0xE2DECB, 0x003C74, 0xFCCA69, 0xFBCA6A}, {0xFBCA6A, 0xFCCA69, 0x003C74, 0xF0EEE0}};
const SideColours kSelected = {{0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF}, {0x6982EE, 0x6982EE, 0x003C74, 0xFAFAF6},
                               {0xE2DECB, 0x003C74, 0xA9C5EF, 0xA8C6F0}, {0xA9C5EF, 0xA9C5EF, 0x003C74, 0xF0EEE0}};
const SideColours kPressed = {{0xECE9D8, 0xDCD6C2, 0x003C74, 0xD1CCC1}, {0xF2F1EE, 0x003C74, 0xFAFAF6, 0xECE9D8},
                              {0xECE9D8, 0xE2DECB, 0x003C74, 0xD7D4CB}, {0xE4E3DC, 0x003C74, 0xF0EEE0, 0xECE9D8}};
const SideColours kDisable = {{0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA, 0xC9C7BA, 0xECE9D8},
                              {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}, {0xF5F4EA, 0xF5F4EA, 0xC9C7BA, 0xECE9D8}};

class CommandButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_host = lqtest::PlainWindow("LqButtonHost", RECT{40, 40, 340, 200}, RGB(90, 90, 120), HostProcedure);
        Make(LayoutControl());
        g_clicks.clear();
        SetForegroundWindow(m_host);
        SetFocus(m_host);
        SetCursorPos(5, 700);
        Pump(150);
    }
    void TearDown() override { DestroyWindow(m_host); }

    // A 1155x375 twip button "Set" from layout data, with these stored properties besides.
    void Make(LayoutControl layout)
    {
        if (m_button)
            DestroyWindow(m_button->Window());
        layout.Set("Left", LayoutValue::OfInteger(600));
        layout.Set("Top", LayoutValue::OfInteger(600));
        layout.Set("Width", LayoutValue::OfInteger(1155));
        layout.Set("Height", LayoutValue::OfInteger(375));
        layout.Set("Caption", LayoutValue::OfText("Set"));
        m_button = CommandButton::Create(m_host, kId, layout, FontSpec{"Tahoma", 9.0, 400, false, 0});
        ASSERT_NE(nullptr, m_button);
        m_button->Model().Initialize();
    }

    // Caption pixels in the middle of the face: how many are grey text, how many black.
    void CountCaption(int* grey, int* black)
    {
        *grey = *black = 0;
        for (int y = 5; y < 20; ++y)
            for (int x = 20; x < 57; ++x) {
                const COLORREF c = Pixel(x, y);
                *grey += c == GetSysColor(COLOR_GRAYTEXT);
                *black += c == RGB(0, 0, 0);
            }
    }

    // What the window shows, read from its own device context (Wine hands the screen its drawing
    // a little later, so the root window can lag behind).
    COLORREF Pixel(int x, int y)
    {
        UpdateWindow(m_button->Window());
        HDC dc = GetDC(m_button->Window());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(m_button->Window(), dc);
        return c;
    }

    POINT Centre()
    {
        POINT p = {38, 12};
        ClientToScreen(m_button->Window(), &p);
        return p;
    }

    // The middle of each side of a 77x25 face against the skin table.
    void ExpectFrame(const SideColours& want, const char* look)
    {
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(Hex(want.top[k]), Pixel(38, k)) << look << ": top row " << k;
            EXPECT_EQ(Hex(want.bottom[k]), Pixel(38, 21 + k)) << look << ": bottom row " << 21 + k;
            EXPECT_EQ(Hex(want.left[k]), Pixel(k, 12)) << look << ": left column " << k;
            EXPECT_EQ(Hex(want.right[k]), Pixel(73 + k, 12)) << look << ": right column " << 73 + k;
        }
    }

    int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

    HWND m_host = nullptr;
    CommandButton* m_button = nullptr;
};

} // namespace

TEST_F(CommandButtonTest, EachLookShowsItsSkinAndGradient)
{
    HWND button = m_button->Window();
    ExpectFrame(kNormal, "Normal");
    EXPECT_GT(Brightness(Pixel(38, 5)), Brightness(Pixel(38, 19))) << "Normal runs white to tint";

    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(38, 12));
    ExpectFrame(kHighLight, "HighLight");
    EXPECT_LT(Brightness(Pixel(38, 5)), Brightness(Pixel(38, 19))) << "HighLight runs tint to white";
    // The amber ring runs on into the corner in its graded colour; the outline's corner is rounded off.
    EXPECT_EQ(Hex(0xFEDF9A), Pixel(2, 3)) << "the ring's end";
    EXPECT_EQ(Hex(0xECE9D8), Pixel(1, 1)) << "the outline's corner pixel";

    SetCursorPos(5, 700);
    Pump(250);
    ExpectFrame(kNormal, "Normal again");
    SetFocus(button);
    Pump(20);
    ExpectFrame(kSelected, "Selected");
    SetCursorPos(centre.x, centre.y);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(38, 12));
    ExpectFrame(kHighLight, "HighLightSelect");  // the same frame as HighLight
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(38, 12));
    ExpectFrame(kPressed, "Pressed");
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(38, 12));
    EXPECT_EQ(1, g_clicks[kId]);
    m_button->Model().SetEnabled(false);
    ExpectFrame(kDisable, "Disable");
    EXPECT_EQ("Enabled", g_lastReport);
}

TEST_F(CommandButtonTest, RealMouseClicksOnceAndTheKeyboardNever)
{
    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    Pump(50);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    move.mi.dx = 1;
    SendInput(1, &move, sizeof(INPUT));
    Pump(50);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &click[0], sizeof(INPUT));
    Pump(50);
    ExpectFrame(kPressed, "held");
    SendInput(1, &click[1], sizeof(INPUT));
    Pump(50);
    EXPECT_EQ(1, g_clicks[kId]);
    EXPECT_EQ(GetFocus(), m_button->Window()) << "a press takes the focus";
    ExpectFrame(kHighLight, "HighLightSelect after the release");

    for (WORD key : {VK_SPACE, VK_RETURN}) {
        INPUT k[2] = {};
        k[0].type = k[1].type = INPUT_KEYBOARD;
        k[0].ki.wVk = k[1].ki.wVk = key;
        k[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, k, sizeof(INPUT));
        Pump(50);
    }
    EXPECT_EQ(1, g_clicks[kId]) << "Space and Enter do not press the button";
}

TEST_F(CommandButtonTest, DisabledButtonIsGreyAndDoesNotClick)
{
    m_button->Model().SetEnabled(false);
    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    SendMessageA(m_button->Window(), WM_MOUSEMOVE, 0, MAKELPARAM(38, 12));
    SendMessageA(m_button->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(38, 12));
    SendMessageA(m_button->Window(), WM_LBUTTONUP, 0, MAKELPARAM(38, 12));
    Pump(150);
    EXPECT_EQ(0, g_clicks[kId]);
    ExpectFrame(kDisable, "Disable");
    // The caption is drawn greyed: grey text pixels, none black.
    int grey = 0, black = 0;
    CountCaption(&grey, &black);
    EXPECT_GT(grey, 5);
    EXPECT_EQ(0, black);

    // Stored as disabled: the same face from the start, with nothing set afterwards.
    LayoutControl disabled;
    disabled.Set("Enabled", LayoutValue::OfBoolean(false));
    Make(disabled);
    Pump(50);
    ExpectFrame(kDisable, "stored Enabled = False");
    CountCaption(&grey, &black);
    EXPECT_GT(grey, 5) << "stored Enabled = False";
    EXPECT_EQ(0, black) << "stored Enabled = False";

    // Stored as transparent: the host's own background around a black caption, no face.
    LayoutControl transparent;
    transparent.Set("Visible", LayoutValue::OfInteger(0));
    Make(transparent);
    Pump(50);
    EXPECT_EQ(RGB(90, 90, 120), Pixel(38, 1)) << "stored Visible = False shows a face";
    EXPECT_EQ(RGB(90, 90, 120), Pixel(2, 12));
    CountCaption(&grey, &black);
    EXPECT_GT(black, 5) << "stored Visible = False shows no caption";
}

TEST_F(CommandButtonTest, HoverLookRevertsSoonAndIdlePollsPaintNothing)
{
    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    SendMessageA(m_button->Window(), WM_MOUSEMOVE, 0, MAKELPARAM(38, 12));
    ExpectFrame(kHighLight, "HighLight");
    const int paints = m_button->FacePaintCount();
    Pump(600);  // six polls with the mouse still over the button
    EXPECT_EQ(paints, m_button->FacePaintCount()) << "a poll that changes nothing repaints nothing";

    SetCursorPos(5, 700);
    const DWORD left = GetTickCount();
    DWORD reverted = 0;
    while (GetTickCount() - left < 1000) {
        Pump(5);
        if (Pixel(38, 2) == Hex(0xF3F3EE)) {
            reverted = GetTickCount() - left;
            break;
        }
    }
    EXPECT_GT(reverted, 0u) << "still HighLight a second after the mouse left";
    EXPECT_LE(reverted, 180u);
    const int after = m_button->FacePaintCount();
    Pump(600);
    EXPECT_EQ(after, m_button->FacePaintCount());
}
