#include "win32_forms.h"

#include "layout.h"

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

bool HighContrast()
{
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

int DpiOf(HWND window)
{
    // GetDpiForWindow is there from Windows 10 (1607) on; before it the screen's DPI is the one.
    typedef UINT(WINAPI * WindowDpi)(HWND);
    static const WindowDpi s_windowDpi = reinterpret_cast<WindowDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (window && s_windowDpi) {
        const UINT dpi = s_windowDpi(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::wstring WideFrom(const std::string& bytes, UINT codePage)
{
    if (bytes.empty())
        return std::wstring();
    const int wide = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (wide <= 0)
        return std::wstring();
    std::wstring w(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &w[0], wide);
    return w;
}

std::wstring WideFromUtf8(const std::string& text)
{
    return WideFrom(text, CP_UTF8);
}

std::string AnsiFromUtf8(const std::string& text)
{
    const std::wstring w = WideFromUtf8(text);
    if (w.empty())
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), &ansi[0], bytes, nullptr, nullptr);
    return ansi;
}

namespace {

bool PathFits(HDC dc, const std::wstring& path, const RECT& label, UINT format)
{
    RECT needed = {0, 0, label.right - label.left, 0};
    DrawTextW(dc, path.c_str(), -1, &needed, format | DT_WORDBREAK | DT_CALCRECT);
    // A word wider than the label widens the rectangle instead of breaking.
    return needed.right <= label.right - label.left && needed.bottom <= label.bottom - label.top;
}

} // namespace

void DrawPath(HDC dc, const std::wstring& path, const RECT& label, UINT format, std::wstring* shown)
{
    RECT r = label;
    if (PathFits(dc, path, label, format)) {
        DrawTextW(dc, path.c_str(), -1, &r, format | DT_WORDBREAK);
        if (shown)
            *shown = path;
        return;
    }
    // DrawText writes what it shows into the buffer, which has room for the ellipsis it adds.
    std::wstring buffer = path + std::wstring(4, L'\0');
    DrawTextW(dc, &buffer[0], -1, &r, format | DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    if (shown)
        *shown = buffer.substr(0, buffer.find(L'\0'));
}

HFONT CreateFontFor(const FontSpec& font, int dpi, bool underline)
{
    LOGFONTW lf = {};
    lf.lfHeight = -static_cast<LONG>(font.size * dpi / 72.0 + 0.5);
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = static_cast<BYTE>(font.charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = WideFromUtf8(font.face);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}
