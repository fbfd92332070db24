#include "screen_covers.h"

#include "forms/win32_forms.h"

namespace {

const char kClassName[] = "LunaquillCover";

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
    return TRUE;
}

std::vector<RECT> Monitors()
{
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool Same(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!EqualRect(&a[i], &b[i]))
            return false;
    return true;
}

BOOL CALLBACK LiftWindow(HWND window, LPARAM relaid)
{
    if (!IsWindowVisible(window))
        return TRUE;
    // Already top-most windows are raised again only after the covers changed (a new cover is made
    // on top of the top-most band).
    if (relaid || !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

} // namespace

ScreenCovers::ScreenCovers(bool hideCursor) : m_hideCursor(hideCursor), m_relaid(false)
{
}

ScreenCovers::~ScreenCovers()
{
    Remove();
}

void ScreenCovers::FollowMonitors()
{
    const std::vector<RECT> monitors = Monitors();
    if (Same(monitors, m_monitors) && !m_windows.empty())
        return;
    RegisterFormClass(kClassName, Procedure, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    while (m_windows.size() > monitors.size()) {
        DestroyWindow(m_windows.back());
        m_windows.pop_back();
    }
    while (m_windows.size() < monitors.size()) {
        HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP,
                                     0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), this);
        if (!cover)
            break;
        m_windows.push_back(cover);
    }
    for (std::size_t i = 0; i < m_windows.size(); ++i) {
        const RECT& r = monitors[i];
        SetWindowPos(m_windows[i], HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    m_monitors = monitors;
    m_relaid = true;
}

void ScreenCovers::LiftAbove(DWORD rendererThread)
{
    if (!rendererThread || m_windows.empty())
        return;
    EnumThreadWindows(rendererThread, LiftWindow, m_relaid);
    m_relaid = false;
}

void ScreenCovers::Remove()
{
    for (HWND cover : m_windows)
        DestroyWindow(cover);
    m_windows.clear();
    m_monitors.clear();
}

LRESULT CALLBACK ScreenCovers::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ScreenCovers* covers = static_cast<ScreenCovers*>(FormObject(hWnd, message, lParam));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;  // a click on another monitor leaves the foreground where it is
    case WM_SETCURSOR:
        SetCursor(covers && covers->m_hideCursor ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
