#include "main_loop.h"

#include "gl_window.h"
#include "common/resize_gl_scene.h"
#include "scene/scene.h"

namespace {

// One moment of the show on every monitor, each framed for its own shape, then one swap for all.
bool DrawFrameOnEveryMonitor(const GLWindow& window)
{
    const bool going = AdvanceFrame();
    for (const MonitorView& v : window.views) {
        ViewGLScene(v.x, v.y, v.width, v.height);
        DrawMoment();
    }
    return going;
}

} // namespace

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
        if (!(window.views.empty() ? DrawFrame() : DrawFrameOnEveryMonitor(window)))
            done = true;
        window.SwapBuffers();
        ++passes;
        if (maxPasses > 0 && passes >= maxPasses)
            done = true;
    }
    return passes;
}
