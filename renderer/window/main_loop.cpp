#include "main_loop.h"

#include "gl_window.h"
#include "scene/scene.h"

long RunMainLoop(GLWindow& window, long maxPasses)
{
    long passes = 0;
    bool done = false;
    while (!done) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                done = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!KeepRunning())
            done = true;
        if (!DrawFrame())
            done = true;
        window.SwapBuffers();
        ++passes;
        if (maxPasses > 0 && passes >= maxPasses)
            done = true;
    }
    return passes;
}
