// Figures for the renderer's spine: how long from process start to the first presented frame, and
// how many frames per second the loop runs, with the swap interval as shipped beside the interval 0.
// Runs the same start-up as the renderer (full-screen GLWindow, InitScene) and the same loop.
//
//   spine_bench [seconds]
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"
#include "scene/scene.h"
#include "window/gl_window.h"
#include "window/main_loop.h"
#include "window/swap_interval.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double SecondsSinceProcessStart()
{
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER a, b;
    a.LowPart = created.dwLowDateTime;
    a.HighPart = created.dwHighDateTime;
    b.LowPart = now.dwLowDateTime;
    b.HighPart = now.dwHighDateTime;
    return static_cast<double>(b.QuadPart - a.QuadPart) / 1e7;
}

struct Loop {
    long frames;
    double seconds;
    double fps() const { return frames / seconds; }
};

Loop MeasureLoop(GLWindow& window, double seconds)
{
    const long double start = GetTimeSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds)
        frames += RunMainLoop(window, 10);
    glFinish();
    return {frames, static_cast<double>(GetTimeSeconds() - start)};
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    std::vector<unsigned char> keys(kKeyCount, 0);
    g_keys = keys.data();

    try {
        GLWindow window("LunaquillVC", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
        const long double beforeTextures = GetTimeSeconds();
        InitScene();
        const double textures = static_cast<double>(GetTimeSeconds() - beforeTextures);
        RunMainLoop(window, 1);
        glFinish();
        const double firstFrame = SecondsSinceProcessStart();

        // As shipped (the swap interval the window asked for), then with the interval 0 as the
        // baseline: where the display paces swaps the two differ, where it does not they are alike.
        // The two take turns in four slices each, so that neither gets the warmer half of the run.
        const int shipped = SwapInterval();
        Loop paced = {0, 0.0}, unpaced = {0, 0.0};
        bool canUnpace = true;
        for (int slice = 0; slice < 8; ++slice) {
            const bool baseline = slice % 2 == 1;
            canUnpace = SetSwapInterval(baseline ? 0 : shipped) && canUnpace;
            Loop& sum = baseline ? unpaced : paced;
            const Loop part = MeasureLoop(window, seconds / 4);
            sum.frames += part.frames;
            sum.seconds += part.seconds;
        }
        TermScene();

        std::printf("first frame %.0f ms after process start (textures built in %.1f ms)\n", firstFrame * 1000.0,
                    textures * 1000.0);
        std::printf("loop %.0f fps (%ld frames in %.2f s, %dx%d), swap interval %d as shipped\n", paced.fps(),
                    paced.frames, paced.seconds, g_screenWidth, g_screenHeight, shipped);
        if (canUnpace)
            std::printf("loop %.0f fps (%ld frames in %.2f s), swap interval 0: the baseline\n", unpaced.fps(),
                        unpaced.frames, unpaced.seconds);
        else
            std::printf("the driver offers no swap control: frames are not paced\n");
    } catch (const char* message) {
        std::fprintf(stderr, "spine_bench: %s\n", message);
        return 1;
    }
    return 0;
}
