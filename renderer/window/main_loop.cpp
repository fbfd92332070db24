#include "main_loop.h"

#include "gl_window.h"
#include "common/resize_gl_scene.h"
#include "scene/scene.h"

bool DrawShownFrame(const GLWindow& window)
{
    if (window.views.empty())
        return DrawFrame();
    // One moment on every monitor, each framed for its own shape; the caller swaps once for all.
    const bool going = AdvanceFrame();
    for (const MonitorView& v : window.views) {
        ViewGLScene(v.x, v.y, v.width, v.height);
        DrawMoment();
    }
    return going;
}

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
        if (!DrawShownFrame(window))
            done = true;
        window.SwapBuffers();
        ++passes;
        if (maxPasses > 0 && passes >= maxPasses)
            done = true;
    }
    return passes;
}
