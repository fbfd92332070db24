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

struct LiftState {
    BOOL relaid;
    bool found;
};

BOOL CALLBACK LiftWindow(HWND window, LPARAM data)
{
    if (!IsWindowVisible(window))
        return TRUE;
    LiftState* state = reinterpret_cast<LiftState*>(data);
    state->found = true;
    // Already top-most windows are raised again only after the covers changed (a new cover is made
    // on top of the top-most band). Asynchronously: a renderer that hangs must not hang the host.
    if (state->relaid || !(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    return TRUE;
}

} // namespace

ScreenCovers::ScreenCovers(bool hideCursor)
    : m_hideCursor(hideCursor), m_relaid(false), m_notify(nullptr), m_message(0), m_keyboard(false)
{
}

ScreenCovers::~ScreenCovers()
{
    Remove();
}

void ScreenCovers::FollowMonitors()
{
    const std::vector<RECT> monitors = Monitors();
    if (Same(monitors, m_monitors))
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
    // Remembered only when every monitor has its cover, so a missing one is made at the next call.
    m_monitors = m_windows.size() == monitors.size() ? monitors : std::vector<RECT>();
    m_relaid = true;
    // The monitors moved (the renderer's mode switch shrinks the primary and moves the others), and
    // the pointer with them: where it is now is where it rests, not a move of the user's.
    m_pointer = PointerAtRest();
    if (m_keyboard)
        Activate();
}

bool ScreenCovers::LiftAbove(DWORD rendererThread)
{
    if (!rendererThread || m_windows.empty())
        return false;
    LiftState state = {m_relaid, false};
    EnumThreadWindows(rendererThread, LiftWindow, reinterpret_cast<LPARAM>(&state));
    m_relaid = false;
    return state.found;
}

void ScreenCovers::TakeKeyboard()
{
    m_keyboard = true;
    Activate();
}

void ScreenCovers::HandOnKeyboard(HWND window)
{
    m_keyboard = false;
    // The renderer takes it itself where it may; only one refused is given it (a hung one is not
    // asked to activate: the call could wait for it).
    if (GetForegroundWindow() != window && !IsHungAppWindow(window))
        SetForegroundWindow(window);
}

void ScreenCovers::ReportInput(HWND notify, UINT message)
{
    m_notify = notify;
    m_message = message;
}

void ScreenCovers::Activate()
{
    const POINT origin = {0, 0};
    HWND keyboard = m_windows.empty() ? nullptr : m_windows.front();
    for (std::size_t i = 0; i < m_windows.size() && i < m_monitors.size(); ++i)
        if (PtInRect(&m_monitors[i], origin))
            keyboard = m_windows[i];
    if (!keyboard)
        return;
    SetWindowLongA(keyboard, GWL_EXSTYLE, GetWindowLongA(keyboard, GWL_EXSTYLE) & ~WS_EX_NOACTIVATE);
    SetForegroundWindow(keyboard);
    SetFocus(keyboard);
}

void ScreenCovers::UserInput()
{
    if (m_notify)
        PostMessageA(m_notify, m_message, 0, 0);
}

void ScreenCovers::Remove()
{
    m_notify = nullptr;
    m_keyboard = false;
    for (HWND cover : m_windows)
        DestroyWindow(cover);
    m_windows.clear();
    m_monitors.clear();
}

LRESULT CALLBACK ScreenCovers::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ScreenCovers* covers = static_cast<ScreenCovers*>(FormObject(hWnd, message, lParam));
    if (covers && covers->m_notify) {
        if (IsUserInputMessage(message)) {
            covers->UserInput();
            return 0;
        }
        if (message == WM_MOUSEMOVE) {
            POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(hWnd, &at);
            if (covers->m_pointer.MouseMovedTo(at.x, at.y))
                covers->UserInput();
            return 0;
        }
    }
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
