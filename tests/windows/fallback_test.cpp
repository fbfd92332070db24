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
