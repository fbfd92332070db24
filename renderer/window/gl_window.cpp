#include "gl_window.h"

#include "swap_interval.h"

#include "common/resize_gl_scene.h"

namespace {

const char kClassName[] = "GLWindow";

// Back to the desktop's own mode as a temporary change, like the switch itself: a permanent change
// would make Windows and Explorer fit every window and icon to the 1024x768 screen they saw.
void RestoreDesktopMode()
{
    ChangeDisplaySettingsA(nullptr, CDS_FULLSCREEN);
}

// A failure after the display mode was switched gives the desktop mode back first, so the user does
// not read the error in 1024x768x16.
[[noreturn]] void Fail(const char* message, bool modeChanged)
{
    if (modeChanged)
        RestoreDesktopMode();
    throw message;
}

} // namespace

namespace {

void RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(nullptr, IDI_WINLOGO);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc))
        Fail("Register window class failed", false);
}

// The display mode for full screen; false when the system refuses it (the show then opens a window).
bool SwitchDisplayMode(int width, int height, int colorBits)
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(colorBits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

// A pop-up over the whole screen, or a captioned window centred on the desktop.
HWND CreateTheWindow(const char* title, int width, int height, bool fullscreen, HINSTANCE instance)
{
    DWORD style = fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    const DWORD exStyle = fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_CLIENTEDGE;
    const int x = fullscreen ? 0 : GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2;
    const int y = fullscreen ? 0 : GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2;
    style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CreateWindowExA(exStyle, kClassName, title, style, x, y, width, height, nullptr, nullptr, instance, nullptr);
}

// One of the screen's capabilities (its colour depth, its DPI), or the fallback where it cannot be asked.
int ScreenCaps(int index, int fallback)
{
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, index) : fallback;
    if (screen)
        ReleaseDC(nullptr, screen);
    return value;
}

void SetPixelFormatFor(HDC dc, int colorBits, bool modeChanged)
{
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = static_cast<BYTE>(colorBits);
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &pfd);
    if (!format)
        Fail("No suitable pixel format found", modeChanged);
    if (!SetPixelFormat(dc, format, &pfd))
        Fail("Set pixelformat failed", modeChanged);
}

} // namespace

GLWindow::GLWindow(const char* title, int width, int height, int colorBits, bool fullscreen)
    : hWnd(nullptr), hDC(nullptr), hRC(nullptr), m_nativeDisplay(false)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(instance);
    // A refused mode is no error: the show opens a window instead.
    if (fullscreen && !SwitchDisplayMode(width, height, colorBits))
        fullscreen = false;

    hWnd = CreateTheWindow(title, width, height, fullscreen, instance);
    if (!hWnd)
        Fail("Create window failed", fullscreen);
    MakeContext(colorBits, fullscreen);
    TakeTheScreen();
    ResizeGLScene(width, height);
    if (fullscreen)
        ShowCursor(FALSE);
}

GLWindow::GLWindow(const char* title) : hWnd(nullptr), hDC(nullptr), hRC(nullptr), m_nativeDisplay(true)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWindowClass(instance);
    // Sized and placed by FollowMonitors; top-most, so that no window and no taskbar shows through.
    hWnd = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kClassName, title, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                           0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!hWnd)
        Fail("Create window failed", false);
    MakeContext(ScreenCaps(BITSPIXEL, 32), false);
    FollowMonitors();
    TakeTheScreen();
    ShowCursor(FALSE);
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back({rect->left, rect->top, rect->right, rect->bottom});
    return TRUE;
}

} // namespace

void GLWindow::FollowMonitors()
{
    std::vector<ScreenRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty())  // no monitor reported: the primary screen as the system measures it
        monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
    const ScreenRect all = BoundsOf(monitors);
    views = MonitorViews(all, monitors);
    SetWindowPos(hWnd, HWND_TOPMOST, all.left, all.top, all.right - all.left, all.bottom - all.top, SWP_NOACTIVATE);
}

void GLWindow::DisplayChanged()
{
    if (m_nativeDisplay)
        FollowMonitors();
    pointer = PointerAtRest();
}

// The object made, its window is shown with the keyboard. The window procedure finds the object from
// here on, not before: a constructor that throws leaves its window for the system to reclaim, and the
// error box's message loop still sends it messages.
void GLWindow::TakeTheScreen()
{
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    pointer = PointerAtRest();
    ShowWindow(hWnd, SW_SHOW);
    SetForegroundWindow(hWnd);
    SetFocus(hWnd);
}

GLWindow* GLWindow::FromWindow(HWND window)
{
    return reinterpret_cast<GLWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void GLWindow::MakeContext(int colorBits, bool modeChanged)
{
    hDC = GetDC(hWnd);
    if (!hDC)
        Fail("Create DC failed", modeChanged);
    SetPixelFormatFor(hDC, colorBits, modeChanged);
    hRC = wglCreateContext(hDC);
    if (!hRC)
        Fail("Create GL Context failed", modeChanged);
    if (!wglMakeCurrent(hDC, hRC))
        Fail("Select Contexts failed", modeChanged);
    // One frame per display refresh where the driver allows it; otherwise some drivers let the loop
    // draw thousands of frames a second, a core and the GPU flat out.
    SetSwapInterval(1);
}

GLWindow::~GLWindow()
{
    // Reverse order of creation; whatever is already gone (a window closed by WM_CLOSE) is harmless.
    ShowCursor(TRUE);
    if (!m_nativeDisplay)
        RestoreDesktopMode();  // the native show never switched it
    if (IsWindow(hWnd))
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(hRC);
    ReleaseDC(hWnd, hDC);
    DestroyWindow(hWnd);
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}

void GLWindow::SwapBuffers()
{
    ::SwapBuffers(hDC);
}
