#include "pointer_rest.h"

#include "system_libraries.h"

#include <windows.h>

namespace {

// The monitor's own scale where Windows keeps one per monitor (8.1 and later), else the screen's.
int MonitorDpiAt(POINT at)
{
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto s_getDpi = [] {
        HMODULE shcore = LoadSystemLibrary(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitor>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    UINT x = 0, y = 0;
    const int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (s_getDpi && SUCCEEDED(s_getDpi(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

InputWatch PointerAtRest()
{
    POINT at = {0, 0};
    const bool known = GetCursorPos(&at) != FALSE;
    InputWatch watch(PointerSlackPixels(MonitorDpiAt(at)));
    if (known)
        watch.MouseMovedTo(at.x, at.y);
    return watch;
}
