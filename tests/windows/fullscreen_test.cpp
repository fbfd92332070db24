// Needs a 1024x768 desktop, where the 1024x768x16 display mode can be set.
#include "renderer_fixture.h"

class FullScreenTest : public RendererFixture {};

TEST_F(FullScreenTest, SwitchesTheModeAndGivesItBack)
{
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1024x768 screen";
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    const DEVMODEA desktop = CurrentMode();
    const int cursorBefore = CursorCount();
    DisplayChanges changes;
    ASSERT_TRUE(changes.Watching());

    GLWindow* window = new GLWindow("LunaquillVC", 1024, 768, 16, true);
    EXPECT_EQ(16u, CurrentMode().dmBitsPerPel);
    EXPECT_EQ(1024u, CurrentMode().dmPelsWidth);
    const LONG style = GetWindowLongA(window->hWnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(window->hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_EQ("0,0 1024,768", lqtest::PlaceOf(window->hWnd));
    EXPECT_EQ(cursorBefore - 1, CursorCount()) << "full screen hides the cursor";

    delete window;
    EXPECT_EQ(desktop.dmBitsPerPel, CurrentMode().dmBitsPerPel);
    EXPECT_EQ(cursorBefore, CursorCount());
    // Both ways temporary: a permanent change back would make Windows fit the desktop's windows and
    // icons to the 1024x768 screen it saw.
    ASSERT_EQ(2u, changes.Calls().size());
    EXPECT_EQ(16u, changes.Calls()[0].bitsPerPel);
    EXPECT_TRUE(changes.Calls()[1].toRegistryMode);
    for (const DisplayChange& c : changes.Calls())
        EXPECT_EQ(static_cast<DWORD>(CDS_FULLSCREEN), c.flags);
}

namespace {

// Refuses the creation of any window of class "GLWindow", so the constructor fails after the
// display mode has been switched.
LRESULT CALLBACK RefuseGLWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char name[64] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof(name));
        if (lstrcmpA(name, "GLWindow") == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST_F(FullScreenTest, FailureAfterTheModeSwitchGivesTheDesktopModeBack)
{
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1024x768 screen";
    const DEVMODEA desktop = CurrentMode();
    ASSERT_NE(16u, desktop.dmBitsPerPel) << "the desktop must not already be 16 bpp";

    DisplayChanges changes;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseGLWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    const char* message = nullptr;
    try {
        GLWindow window("LunaquillVC", 1024, 768, 16, true);
    } catch (const char* m) {
        message = m;
    }
    const DEVMODEA after = CurrentMode();
    UnhookWindowsHookEx(hook);
    UnregisterClassA("GLWindow", GetModuleHandleA(nullptr));  // left registered by the failure

    ASSERT_NE(nullptr, message);
    EXPECT_STREQ("Create window failed", message);
    EXPECT_EQ(desktop.dmBitsPerPel, after.dmBitsPerPel) << "the error would be read in 16 bpp";
    ASSERT_EQ(2u, changes.Calls().size());
    EXPECT_TRUE(changes.Calls()[1].toRegistryMode);
    EXPECT_EQ(static_cast<DWORD>(CDS_FULLSCREEN), changes.Calls()[1].flags) << "a temporary change back";
}
