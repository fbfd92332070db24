#include "gl_window.h"

#include "common/config.h"
#include "common/key_table.h"
#include "common/resize_gl_scene.h"

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
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
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
