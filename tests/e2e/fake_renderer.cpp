// Stands in for Lunaquill.dll where a test needs a renderer that misbehaves, set through the
// environment the host passes on:
//   LQ_FAKE_RENDERER_EXIT=N       ends at once with exit code N, without a window (a renderer that
//                                 fails, or is blocked)
//   LQ_FAKE_RENDERER_DELAY_MS=N   waits N ms before it shows its window (a slow start)
//   LQ_FAKE_RENDERER_CLOSE_MS=N   takes N ms to end once asked to close; "never" ignores WM_CLOSE
//                                 (asked, its title becomes "LunaquillVC (closing)")
//   LQ_FAKE_RENDERER_HANG_MS=N    stops answering N ms after showing its window (stuck in a driver)
// Otherwise it shows a window titled "LunaquillVC" until that is closed, and ends with 0.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string Setting(const char* name)
{
    char value[32] = {};
    GetEnvironmentVariableA(name, value, sizeof(value));
    return value;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        SetWindowTextA(window, "LunaquillVC (closing)");  // what a test can see from outside
        const std::string closeMs = Setting("LQ_FAKE_RENDERER_CLOSE_MS");
        if (closeMs == "never")
            return 0;
        if (!closeMs.empty()) {
            SetTimer(window, 1, static_cast<UINT>(std::atoi(closeMs.c_str())), nullptr);
            return 0;
        }
    }
    if (message == WM_TIMER)
        DestroyWindow(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    const std::string exitCode = Setting("LQ_FAKE_RENDERER_EXIT");
    if (!exitCode.empty())
        return std::atoi(exitCode.c_str());
    Sleep(static_cast<DWORD>(std::atoi(Setting("LQ_FAKE_RENDERER_DELAY_MS").c_str())));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = "FakeRenderer";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "FakeRenderer", "LunaquillVC", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    const std::string hangMs = Setting("LQ_FAKE_RENDERER_HANG_MS");
    if (!hangMs.empty())
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(hangMs.c_str())), [](HWND, UINT, UINT_PTR, DWORD) { Sleep(INFINITE); });
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
