// Figures for the show on the monitors this system has: frames per second and CPU time per shown
// frame of the renderer's own loop, in the original show (1024x768x16, or its window where the mode
// is refused) and with every monitor at its own resolution, each beside a bare loop of the same GL
// calls drawing the same views with one swap a frame (no messages, no end checks). The two loops take
// turns in four slices each, so that neither gets the warmer half of the run. Exits 1 when a figure
// cannot be measured or, on every monitor at its own resolution, the renderer's loop costs more than
// 1.1 times the bare one (the original show's ratio is reported beside it).
//
//   monitors_bench [seconds per show]
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"
#include "scene/scene.h"
#include "window/gl_window.h"
#include "window/main_loop.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const double kMostCpuRatio = 1.1;

double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return static_cast<double>(k.QuadPart + u.QuadPart) / 1e7;
}

struct Figures {
    long frames = 0;
    double seconds = 0.0;
    double cpu = 0.0;
    double Fps() const { return seconds > 0.0 ? frames / seconds : 0.0; }
    double CpuMsPerFrame() const { return frames > 0 ? 1000.0 * cpu / frames : 0.0; }
};

// The same drawing as the renderer's frame, and nothing else.
void BareFrame(GLWindow& window)
{
    DrawShownFrame(window);
    window.SwapBuffers();
}

void Measure(GLWindow& window, bool bare, double seconds, Figures* sum)
{
    const long double start = GetTimeSeconds();
    const double cpuStart = CpuSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds) {
        if (bare) {
            for (int i = 0; i < 10; ++i)
                BareFrame(window);
            frames += 10;
        } else {
            frames += RunMainLoop(window, 10);
        }
    }
    glFinish();
    sum->frames += frames;
    sum->seconds += static_cast<double>(GetTimeSeconds() - start);
    sum->cpu += CpuSeconds() - cpuStart;
}

// One show: its figures printed; false when they could not be measured or cost too much.
bool Show(const char* name, bool native, double seconds)
{
    GLWindow* window = native ? new GLWindow("LunaquillVC")
                              : new GLWindow("LunaquillVC", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
    InitScene();
    RECT area = {};
    GetClientRect(window->hWnd, &area);
    const std::size_t views = window->views.empty() ? 1 : window->views.size();
    RunMainLoop(*window, 5);  // warm
    Figures renderer, bare;
    for (int slice = 0; slice < 8; ++slice)
        Measure(*window, slice % 2 == 1, seconds / 4, slice % 2 == 1 ? &bare : &renderer);
    TermScene();
    delete window;

    const double ratio = bare.CpuMsPerFrame() > 0.0 ? renderer.CpuMsPerFrame() / bare.CpuMsPerFrame() : 0.0;
    std::printf("%-30s %ldx%ld, %zu view(s): renderer %5.1f fps, %6.2f ms CPU a frame; bare loop %5.1f fps, "
                "%6.2f ms CPU a frame: %.2fx\n",
                name, area.right, area.bottom, views, renderer.Fps(), renderer.CpuMsPerFrame(), bare.Fps(),
                bare.CpuMsPerFrame(), ratio);
    if (renderer.frames == 0 || bare.frames == 0 || ratio <= 0.0) {
        std::printf("FAIL: %s: no frames measured\n", name);
        return false;
    }
    if (native && ratio > kMostCpuRatio) {
        std::printf("FAIL: %s: the renderer's frame costs %.2fx the bare loop's (at most %.1fx)\n", name, ratio,
                    kMostCpuRatio);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    std::vector<unsigned char> keys(kKeyCount, 0);
    g_keys = keys.data();
    std::printf("%d monitor(s), virtual screen %dx%d\n", GetSystemMetrics(SM_CMONITORS),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    bool ok = true;
    try {
        ok = Show("the original show", false, seconds) && ok;
        ok = Show("every monitor, own resolution", true, seconds) && ok;
    } catch (const char* message) {
        std::printf("FAIL: monitors_bench: %s\n", message);
        return 1;
    }
    return ok ? 0 : 1;
}
