#include "gl_window.h"

#include "common/config.h"
#include "common/key_table.h"
#include "common/resize_gl_scene.h"

namespace {

// With the end on input: a key, a button, a wheel, a touch, or the pointer moved beyond its slack
// (the position it rested at as the show started does not count).
bool EndsTheShow(HWND hWnd, UINT message)
{
    if (IsUserInputMessage(message))
        return true;
    if (message != WM_MOUSEMOVE)
        return false;
    GLWindow* window = GLWindow::FromWindow(hWnd);
    const DWORD at = GetMessagePos();  // screen pixels, the same for every window of the show
    return window && window->pointer.MouseMovedTo(static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at)));
}

} // namespace

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_endOnInput && EndsTheShow(hWnd, message))
        PostQuitMessage(0);
    switch (message) {
    case WM_SIZE:
        ResizeGLScene(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_CLOSE:
        // The default handling destroys the window right away, and a message posted to a destroyed
        // window may be discarded with it; the thread's quit request always reaches the loop.
        PostQuitMessage(0);
        break;
    case WM_KEYDOWN:
        RecordKey(g_keys, g_keyPresses, wParam, true);
        break;
    case WM_KEYUP:
        RecordKey(g_keys, g_keyPresses, wParam, false);
        break;
    case WM_SYSCOMMAND:
        // No screen saver and no monitor power-off while the show runs.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER)
            return 0;
        break;
    case WM_DISPLAYCHANGE:
        // A monitor plugged in, taken away or set to another resolution: the native show covers them
        // as they are now, and the pointer the system moved with them is not the user's move.
        if (GLWindow* window = GLWindow::FromWindow(hWnd))
            window->DisplayChanged();
        break;
    case WM_DPICHANGED:
        // The native show keeps covering every monitor in real pixels, whatever scale the monitor
        // under most of it has; the size Windows suggests would fit one monitor.
        if (GLWindow* window = GLWindow::FromWindow(hWnd))
            if (window->NativeDisplay())
                return 0;
        break;
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
