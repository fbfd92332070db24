#include "win32_forms.h"

#include "controls/layout.h"

#include <vector>

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

void* FormObject(HWND hWnd, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(hWnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    return reinterpret_cast<void*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
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

std::string AnsiFromUtf8(const std::string& text)
{
    if (text.empty())
        return text;
    const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> w(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), w.data(), wide);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), wide, &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

HFONT CreateFontFor(const FontSpec& font)
{
    const int height = -static_cast<int>(font.size * LogicalPixels(LOGPIXELSY) / 72.0 + 0.5);
    return CreateFontA(height, 0, 0, 0, font.weight, font.italic ? TRUE : FALSE, FALSE, FALSE,
                       static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, AnsiFromUtf8(font.face).c_str());
}
