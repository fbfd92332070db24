// Needs a 1024x768 desktop, where the 1024x768x16 display mode can be set.
#include "renderer_fixture.h"

class FullScreenTest : public RendererFixture {};

TEST_F(FullScreenTest, SwitchesTheModeAndGivesItBack)
{
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1024x768 screen";
    ASSERT_EQ(768, GetSystemMetrics(SM_CYSCREEN));
    const DEVMODEA desktop = CurrentMode();
    const int cursorBefore = CursorCount();

    GLWindow* window = new GLWindow("LunaquillVC", 1024, 768, 16, true);
    EXPECT_EQ(16u, CurrentMode().dmBitsPerPel);
    EXPECT_EQ(1024u, CurrentMode().dmPelsWidth);
    const LONG style = GetWindowLongA(window->hWnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(window->hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT r;
    GetWindowRect(window->hWnd, &r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(1024, r.right);
    EXPECT_EQ(768, r.bottom);
    EXPECT_EQ(cursorBefore - 1, CursorCount()) << "full screen hides the cursor";

    delete window;
    EXPECT_EQ(desktop.dmBitsPerPel, CurrentMode().dmBitsPerPel);
    EXPECT_EQ(cursorBefore, CursorCount());
}
