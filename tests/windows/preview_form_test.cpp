// The preview start-up against a parent window of this process, so its drawing can be read back.
// (The form ends the program when it is destroyed, so the test leaves it to the process's end.)
#include "preview/preview_form.h"
#include "import_patch.h"
#include "win32_driver.h"

#include <gtest/gtest.h>

namespace {

HWND Area(int width, int height, DWORD frame)
{
    return lqtest::PlainWindow("LqPreviewArea", RECT{60, 60, 60 + width, 60 + height}, RGB(0, 0, 255), DefWindowProcA, frame);
}

int Brightness(HDC dc, int x, int y)
{
    const COLORREF c = GetPixel(dc, x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

} // namespace

TEST(PreviewForm, TheStreakFillsThePreviewArea)
{
    struct Case {
        SIZE outer;
        DWORD frame;
    };
    // The third area has a frame: the form covers its client area, not its outer size.
    for (Case c : {Case{{152, 112}, 0}, Case{{300, 200}, 0}, Case{{300, 200}, WS_BORDER}}) {
        const SIZE outer = c.outer;
        const DWORD frame = c.frame;
        HWND area = Area(outer.cx, outer.cy, frame);
        RECT inner;
        GetClientRect(area, &inner);
        const SIZE size = {inner.right, inner.bottom};
        ASSERT_EQ(frame != 0, size.cx != outer.cx);
        HWND form = PreviewForm::ShowInside(area);
        ASSERT_NE(nullptr, form);
        ASSERT_TRUE(lqtest::WaitUntil([form] { return IsWindowVisible(form) != FALSE; }, 3000));
        EXPECT_EQ(area, GetParent(form));
        EXPECT_TRUE(GetWindowLongA(form, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(IsWindowVisible(form));
        RECT r;
        GetClientRect(form, &r);
        EXPECT_EQ(size.cx, r.right) << "the form covers the area";
        EXPECT_EQ(size.cy, r.bottom);

        UpdateWindow(form);
        HDC dc = GetDC(form);
        // Bright along the middle from edge to edge, black in the corners, never the area's blue.
        for (int x : {2, static_cast<int>(size.cx / 2), static_cast<int>(size.cx - 3)})
            EXPECT_GT(Brightness(dc, x, size.cy / 2), 200) << size.cx << "x" << size.cy << " at x " << x;
        EXPECT_LT(Brightness(dc, 1, 1), 40);
        EXPECT_LT(Brightness(dc, size.cx - 2, size.cy - 2), 40);
        const COLORREF corner = GetPixel(dc, size.cx - 2, 1);
        EXPECT_FALSE(GetBValue(corner) > 200 && GetRValue(corner) < 50) << "the area shows through";
        ReleaseDC(form, dc);
    }
}

namespace {

HWND WINAPI RefusingSetParent(HWND, HWND)
{
    SetLastError(ERROR_INVALID_PARAMETER);  // as across DPI awareness contexts
    return nullptr;
}

} // namespace

TEST(PreviewForm, AnAreaThatRefusesTheFormEndsThePreviewAtOnce)
{
    HWND area = Area(152, 112, 0);
    {
        ImportPatch patch("user32.dll", "SetParent", reinterpret_cast<void*>(&RefusingSetParent));
        EXPECT_EQ(nullptr, PreviewForm::ShowInside(area)) << "a preview that shows nowhere would wait for ever";
    }
    EXPECT_EQ(nullptr, FindWindowA("Lunaquill_R", nullptr)) << "no form is left behind";
    EXPECT_EQ(nullptr, GetWindow(area, GW_CHILD));
    DestroyWindow(area);
}
