// Stands in for Lunaquill.dll where a test needs a renderer that is slow to open its window: waits
// LQ_FAKE_RENDERER_DELAY_MS milliseconds, then shows a window titled "LunaquillVC" until it is closed.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char delay[32] = {};
    if (GetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", delay, sizeof(delay)))
        Sleep(static_cast<DWORD>(std::atoi(delay)));
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "FakeRenderer";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "FakeRenderer", "LunaquillVC", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
