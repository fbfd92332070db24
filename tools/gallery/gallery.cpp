// gallery: the host's pieces for people to look at.
//   gallery [--seconds N]            the Command button's six looks side by side (two rows when scaled)
//   gallery --preview [--seconds N]  the preview picture in a 152x112 area, as the display settings show it
// With --seconds the window closes by itself after N seconds (for screenshots).
#include "controls/command_button.h"
#include "forms/win32_forms.h"
#include "preview/preview_form.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const kLooks[6] = {"Normal", "HighLight", "Selected", "HighLightSelect", "Pressed", "Disable"};

// Where look i lies, in 96-DPI pixels: in one row at 96 DPI, in two rows of three when scaled (200 %
// then fits a 1024-pixel screen).
POINT LookAt(int i, int dpi)
{
    const int perRow = dpi > 96 ? 3 : 6;
    return {20 + (i % perRow) * 110, 25 + (i / perRow) * 95};
}

LRESULT CALLBACK GalleryProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hWnd, &ps);
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        const int dpi = DpiOf(hWnd);
        for (int i = 0; i < 6; ++i) {
            const POINT at = LookAt(i, dpi);
            RECT r = {at.x * dpi / 96, (at.y + 45) * dpi / 96, (at.x + 100) * dpi / 96, (at.y + 65) * dpi / 96};
            DrawTextA(dc, kLooks[i], -1, &r, DT_CENTER | DT_SINGLELINE);
        }
        SelectObject(dc, old);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_TIMER:
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

// The display settings' stand-in: nothing of its own to draw.
LRESULT CALLBACK MonitorProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER || message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int seconds = 0;
    bool preview = false;
    for (int i = 1; i < __argc; ++i) {
        if (std::strcmp(__argv[i], "--preview") == 0)
            preview = true;
        else if (std::strcmp(__argv[i], "--seconds") == 0 && i + 1 < __argc)
            seconds = std::atoi(__argv[++i]);
    }

    if (preview) {
        // A stand-in for the display settings' monitor picture with its 152x112 preview area.
        RegisterFormClass("LunaquillMonitor", MonitorProcedure, CreateSolidBrush(RGB(236, 233, 216)));
        HWND frame = CreateWindowExA(0, "LunaquillMonitor", "Lunaquill preview", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                     40, 40, 220, 190, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        HWND area = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE, 30, 20, 156, 116, frame,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        RECT inside = {};
        GetClientRect(area, &inside);
        HWND screen = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, inside.right, inside.bottom, area,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(frame, SW_SHOW);
        PreviewForm::ShowInside(screen);
        if (seconds > 0)
            SetTimer(frame, 1, static_cast<UINT>(seconds * 1000), nullptr);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return 0;
    }

    RegisterFormClass("LunaquillGallery", GalleryProcedure, CreateSolidBrush(RGB(236, 233, 216)));
    // Laid out at 96 DPI, and scaled as a whole at any other.
    const int dpi = DpiOf(nullptr);
    HWND window = CreateWindowExA(0, "LunaquillGallery", "Lunaquill.Command looks", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  dpi > 96 ? 0 : 40, dpi > 96 ? 0 : 40, (dpi > 96 ? 370 : 700) * dpi / 96,
                                  (dpi > 96 ? 235 : 140) * dpi / 96, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    const FontSpec font{u8"ＭＳ Ｐゴシック", 9.75, 400, false, 128};
    for (int i = 0; i < 6; ++i) {
        LayoutControl layout;
        layout.Set("Left", LayoutValue::OfInteger((LookAt(i, dpi).x + 12) * 15));
        layout.Set("Top", LayoutValue::OfInteger(LookAt(i, dpi).y * 15));
        layout.Set("Width", LayoutValue::OfInteger(1155));
        layout.Set("Height", LayoutValue::OfInteger(375));
        layout.Set("Caption", LayoutValue::OfText(i == 5 ? u8"ｷｬﾝｾﾙ" : u8"設定"));
        CommandButton* button = CommandButton::Create(window, 100 + i, layout, font);
        // Each button is put in its look through the events that lead there (no hover timer, so
        // the looks stay).
        CommandModel& m = button->Model();
        switch (i) {
        case 1: m.m_State = kStateNormal; m.MouseMove(); break;
        case 2: m.GotFocus(); break;
        case 3: m.GotFocus(); m.MouseMove(); break;
        case 4: m.m_State = kStateNormal; m.MouseDown(MouseButton::Left); break;
        case 5: m.SetEnabled(false); break;
        default: break;
        }
    }
    ShowWindow(window, SW_SHOW);
    if (seconds > 0)
        SetTimer(window, 1, static_cast<UINT>(seconds * 1000), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
