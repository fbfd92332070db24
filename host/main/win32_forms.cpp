#include "win32_forms.h"

bool RegisterFormClass(const char* className, WNDPROC procedure, HBRUSH background, HCURSOR cursor, HICON icon,
                       UINT style)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing))
        return true;
    WNDCLASSA wc = {};
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassA(&wc) != 0;
}

namespace {

int LogicalPixels(int index)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

} // namespace

int TwipsPerPixelX()
{
    return 1440 / LogicalPixels(LOGPIXELSX);
}

int TwipsPerPixelY()
{
    return 1440 / LogicalPixels(LOGPIXELSY);
}

int TwipsToPixelsX(int twips)
{
    return twips / TwipsPerPixelX();
}

int TwipsToPixelsY(int twips)
{
    return twips / TwipsPerPixelY();
}
