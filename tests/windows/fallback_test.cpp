// Needs a screen larger than 1024x768: there the 1024x768x16 mode is refused and the renderer runs
// in a centred window instead.
#include "renderer_fixture.h"

class FallbackTest : public RendererFixture {};

TEST_F(FallbackTest, RefusedModeGivesACentredCaptionedWindow)
{
    ASSERT_EQ(1280, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1280x1024 screen";
    const DEVMODEA desktop = CurrentMode();
    const int cursorBefore = CursorCount();

    GLWindow* window = new GLWindow("LunaquillVC", 1024, 768, 16, true);
    EXPECT_EQ(desktop.dmPelsWidth, CurrentMode().dmPelsWidth);
    EXPECT_EQ(desktop.dmBitsPerPel, CurrentMode().dmBitsPerPel);
    const LONG style = GetWindowLongA(window->hWnd, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION), style & WS_CAPTION);
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(window->hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ("128,128 1152,896", lqtest::PlaceOf(window->hWnd));
    EXPECT_EQ(cursorBefore, CursorCount()) << "the cursor stays visible in a window";
    delete window;
}

#include "scene/scene.h"
#include "window/main_loop.h"

namespace {

// The monitors the system reports, as the test plugs them in and takes them away.
std::vector<RECT> s_monitors;

// Answers this thread's messages until a quit arrives (true) or ms have passed.
bool QuitWithin(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return true;
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
    return false;
}

BOOL WINAPI ReportMonitors(HDC, LPCRECT, MONITORENUMPROC each, LPARAM data)
{
    for (RECT r : s_monitors)
        if (!each(nullptr, nullptr, &r, data))
            break;
    return TRUE;
}

} // namespace

// Every monitor at its own resolution, here one 1280x1024 screen: a window over exactly the screen,
// without a caption, over every other window, the show drawn in it. A monitor plugged in left of it
// during the show, then taken away: the window covers both, each with its own view, then the one
// screen again (Wine shows one monitor: the system's report of the monitors is replaced, and its
// display change sent as Windows sends it). No display mode is asked for, at the start or the end.
TEST_F(FallbackTest, NativeDisplayCoversTheScreenAndFollowsMonitorsWithoutAModeSwitch)
{
    ASSERT_EQ(1280, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1280x1024 screen";
    const int cursorBefore = CursorCount();
    DisplayChanges changes;
    ASSERT_TRUE(changes.Watching());

    GLWindow* window = new GLWindow("LunaquillVC");
    const LONG style = GetWindowLongA(window->hWnd, GWL_STYLE);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(window->hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ("0,0 1280,1024", lqtest::PlaceOf(window->hWnd));
    RECT client = {};
    GetClientRect(window->hWnd, &client);
    EXPECT_EQ(1280, client.right);
    EXPECT_EQ(1024, client.bottom);
    EXPECT_EQ(cursorBefore - 1, CursorCount()) << "no cursor over the show";

    InitScene();
    RunMainLoop(*window, 3);
    // The show, framed for the whole 5:4 screen: lit pixels in its left and right quarters.
    const auto lit = [](const RECT& area) {
        const std::vector<unsigned> pixels = lqtest::Screenshot(area);
        return std::count_if(pixels.begin(), pixels.end(), [](unsigned p) { return (p & 0xF0F0F0) != 0; });
    };
    EXPECT_GT(lit({0, 0, 320, 1024}), 1000);
    EXPECT_GT(lit({960, 0, 1280, 1024}), 1000);
    TermScene();
    {
        ImportPatch patch("user32.dll", "EnumDisplayMonitors", reinterpret_cast<void*>(&ReportMonitors));
        ASSERT_TRUE(patch.Applied());
        s_monitors = {{0, 0, 1280, 1024}, {-1024, 256, 0, 1024}};
        SendMessageA(window->hWnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
        EXPECT_EQ("-1024,0 1280,1024", lqtest::PlaceOf(window->hWnd));
        ASSERT_EQ(2u, window->views.size());
        const MonitorView& plugged = window->views[1];
        EXPECT_EQ(1024, window->views[0].x);
        EXPECT_EQ("0,0 1024x768", std::to_string(plugged.x) + "," + std::to_string(plugged.y) + " " +
                                      std::to_string(plugged.width) + "x" + std::to_string(plugged.height));

        // Taken away, with the pointer the system moved off it: that move ends nothing, the user's
        // next move of 50 pixels does.
        g_endOnInput = true;
        s_monitors = {{0, 0, 1280, 1024}};
        SetCursorPos(1000, 800);
        SendMessageA(window->hWnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
        EXPECT_EQ("0,0 1280,1024", lqtest::PlaceOf(window->hWnd));
        EXPECT_EQ(1u, window->views.size());
        EXPECT_FALSE(QuitWithin(500)) << "the system's move of the pointer ended the show";
        SetCursorPos(1050, 800);
        EXPECT_TRUE(QuitWithin(2000)) << "the user's move did not end the show";
        g_endOnInput = false;
    }
    delete window;
    DrainMessages();

    EXPECT_TRUE(changes.Calls().empty()) << changes.Calls().size() << " display mode changes";
    EXPECT_EQ(cursorBefore, CursorCount());
}
