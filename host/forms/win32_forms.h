// The host's Win32 boilerplate in one place: window classes for its forms and controls, and the
// conversion between twips (the unit its layouts are given in) and pixels.
#pragma once

#include <windows.h>

#include <string>

struct FontSpec;

// Registers a window class once per process (a second call is harmless).
bool RegisterFormClass(const char* className, WNDPROC procedure, HBRUSH background = nullptr,
                       HCURSOR cursor = nullptr, HICON icon = nullptr, UINT style = CS_DBLCLKS);

// The object a window was made for (CreateWindowEx's last argument), kept with the window from
// WM_NCCREATE on; null before that.
void* FormObject(HWND hWnd, UINT message, LPARAM lParam);

// For windows that paint every pixel of themselves: answers WM_ERASEBKGND (nothing to erase),
// WM_PAINT and WM_PRINTCLIENT (a transparent child asking for the background) with paint(dc).
// True when the message was one of those, with its result in *result.
template <typename Paint>
bool HandleOwnPainting(HWND hWnd, UINT message, WPARAM wParam, Paint paint, LRESULT* result)
{
    switch (message) {
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        paint(dc);
        EndPaint(hWnd, &ps);
        *result = 0;
        return true;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        *result = 0;
        return true;
    default:
        return false;
    }
}

// A high-contrast theme is on: forms then draw in the system's colours, without gradients or skins.
bool HighContrast();

// The dots per inch a window is shown at: its monitor's where Windows scales each monitor on its own
// (the host declares itself per-monitor aware), else the screen's. Null: the screen's.
int DpiOf(HWND window);

// Twips (1/1440 inch) to pixels at a DPI, cut toward zero as at 96 DPI (15 twips a pixel), so that
// 96 DPI gives the same pixels as ever; and pixels back to twips.
inline int TwipsToPixels(long twips, int dpi)
{
    return static_cast<int>(static_cast<long long>(twips) * dpi / 1440);
}
inline long PixelsToTwips(long pixels, int dpi)
{
    return static_cast<long>(static_cast<long long>(pixels) * 1440 / dpi);
}

// Layout data and captions are UTF-8. What a person reads is drawn from its Unicode form, so that it
// reads the same on any code page; the rest (the window caption here) goes in the system's ANSI code
// page.
std::string AnsiFromUtf8(const std::string& text);
std::wstring WideFromUtf8(const std::string& text);
// Bytes of a known code page (932 for the program's own Japanese texts, CP_ACP for a path) in Unicode.
std::wstring WideFrom(const std::string& bytes, UINT codePage);

// Draws a path as a label of this size: as it is where it fits (wrapped at its blanks over the
// label's lines); where it does not, on one line with the middle of its folder part left out
// ("C:\Music\...\song.mp3"), so that the file's own name stays in sight. format: the label's other
// DrawText flags. What was drawn goes to *shown when asked for.
void DrawPath(HDC dc, const std::wstring& path, const RECT& label, UINT format, std::wstring* shown = nullptr);

// A GDI font for a font description (points at dpi), found by its Unicode face name. The caller
// deletes it.
HFONT CreateFontFor(const FontSpec& font, int dpi, bool underline = false);
