// Figures for the renderer's spine: how long from process start to the first presented frame, and
// how many frames per second the loop runs. Runs the same start-up as the renderer (full-screen
// GLWindow, InitScene) and the same loop.
//
//   spine_bench [seconds]
#include "scene/scene.h"
#include "window/config.h"
#include "window/frame_clock.h"
#include "window/gl_window.h"
#include "window/key_table.h"
#include "window/main_loop.h"

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

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    std::vector<unsigned char> keys(kKeyCount, 0);
    g_keys = keys.data();

    try {
        GLWindow window("LunaquillVC", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
        const long double beforeTextures = GetTimeSeconds();
        InitScene(&window);
        const double textures = static_cast<double>(GetTimeSeconds() - beforeTextures);
        RunMainLoop(window, 1);
        glFinish();
        const double firstFrame = SecondsSinceProcessStart();

        const long double start = GetTimeSeconds();
        long frames = 0;
        while (GetTimeSeconds() - start < seconds)
            frames += RunMainLoop(window, 100);
        glFinish();
        const double elapsed = static_cast<double>(GetTimeSeconds() - start);
        TermScene();

        std::printf("first frame %.0f ms after process start (textures built in %.1f ms)\n", firstFrame * 1000.0,
                    textures * 1000.0);
        std::printf("loop %.0f fps (%ld frames in %.2f s, %dx%d)\n", frames / elapsed, frames, elapsed,
                    g_screenWidth, g_screenHeight);
    } catch (const char* message) {
        std::fprintf(stderr, "spine_bench: %s\n", message);
        return 1;
    }
    return 0;
}
