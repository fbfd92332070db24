// snapshot: stills of the show, and its frame rate.
//
//   snapshot DIR T1 [T2 ...]   writes DIR/scene-<T>.ppm for each scene time T (seconds, as typed)
//   snapshot --bench SECONDS   the live scene with buffer swaps for that long, then a clear-and-swap
//                              loop for as long; prints "scene <fps> fps, clear <fps> fps"
//   snapshot --profile SECONDS where a frame's time goes: the scene at full size, the same scene in
//                              a 1x1 viewport (every vertex, almost no pixels), and clear-and-swap
//
// Uses the renderer's own window, pixel format, projection, textures and drawing: a 1024x768 frame
// exactly as the show draws it.
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"
#include "common/resize_gl_scene.h"
#include "scene/scene.h"
#include "scene/wave_scene.h"
#include "window/gl_window.h"
#include "window/main_loop.h"

#include <GL/gl.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: snapshot DIR T1 [T2 ...]    write DIR/scene-<T>.ppm for each scene time T in seconds\n"
    "       snapshot --bench SECONDS    measure the scene's frame rate against clear-and-swap\n"
    "       snapshot --profile SECONDS  split the frame time into filling pixels and sending vertices\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "snapshot: %s\n%s", problem, kUsage);
    return 2;
}

bool ParseSeconds(const std::string& text, double* value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtod(text.c_str(), &end);
    return *end == '\0' && errno == 0 && *value == *value && *value >= 0.0 && *value < 1e7;
}

// The renderer's window; where the desktop refuses the display mode, the window is grown so that
// its client area is still exactly 1024x768.
GLWindow* OpenWindow()
{
    GLWindow* window = new GLWindow("Lunaquill snapshot", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
    RECT client = {};
    GetClientRect(window->hWnd, &client);
    if (client.right != g_screenWidth || client.bottom != g_screenHeight) {
        RECT outer = {0, 0, g_screenWidth, g_screenHeight};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window->hWnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(window->hWnd, GWL_EXSTYLE)));
        SetWindowPos(window->hWnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        ResizeGLScene(g_screenWidth, g_screenHeight);
    }
    return window;
}

bool WritePpm(const std::string& path, const std::vector<unsigned char>& bottomUp, int width, int height)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    bool ok = true;
    for (int row = height - 1; row >= 0; --row)  // OpenGL's row 0 is the bottom of the screen
        ok = ok && std::fwrite(&bottomUp[static_cast<std::size_t>(row) * width * 3], 1,
                               static_cast<std::size_t>(width) * 3, f) == static_cast<std::size_t>(width) * 3;
    return std::fclose(f) == 0 && ok;
}

int Snapshots(const std::string& folder, const std::vector<std::string>& times)
{
    std::vector<double> seconds(times.size());
    for (std::size_t i = 0; i < times.size(); ++i)
        if (!ParseSeconds(times[i], &seconds[i]))
            return Usage(("not a scene time: " + times[i]).c_str());

    GLWindow* window = OpenWindow();
    InitScene();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(g_screenWidth) * g_screenHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    int failures = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        // A frame before the captured one leaves the same current normal as on screen.
        DrawWaveScene(static_cast<float>(seconds[i]));
        DrawWaveScene(static_cast<float>(seconds[i]));
        glFinish();
        glReadPixels(0, 0, g_screenWidth, g_screenHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        const std::string path = folder + "/scene-" + times[i] + ".ppm";
        if (!WritePpm(path, pixels, g_screenWidth, g_screenHeight)) {
            std::fprintf(stderr, "snapshot: cannot write %s\n", path.c_str());
            ++failures;
        }
        window->SwapBuffers();
    }
    TermScene();
    delete window;
    return failures ? 1 : 0;
}

// Frames per second of the renderer's own loop (drain, KeepRunning, DrawFrame, swap).
double SceneFps(GLWindow& window, double seconds)
{
    const long double start = GetTimeSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds)
        frames += RunMainLoop(window, 50);
    glFinish();
    return frames / static_cast<double>(GetTimeSeconds() - start);
}

double ClearFps(GLWindow& window, double seconds)
{
    const long double start = GetTimeSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        window.SwapBuffers();
        ++frames;
    }
    glFinish();
    return frames / static_cast<double>(GetTimeSeconds() - start);
}

int Bench(double seconds, bool profile)
{
    GLWindow* window = OpenWindow();
    InitScene();
    const double sceneFps = SceneFps(*window, seconds);
    double tinyFps = 0;
    if (profile) {
        glViewport(0, 0, 1, 1);
        tinyFps = SceneFps(*window, seconds);
        glViewport(0, 0, g_screenWidth, g_screenHeight);
    }
    const double clearFps = ClearFps(*window, seconds);
    TermScene();
    delete window;

    std::printf("scene %.0f fps, clear %.0f fps\n", sceneFps, clearFps);
    if (profile) {
        const double frameMs = 1000.0 / sceneFps, tinyMs = 1000.0 / tinyFps, clearMs = 1000.0 / clearFps;
        std::printf("frame %.2f ms: filling pixels %.2f ms (%.0f%%), sending vertices and the rest %.2f ms "
                    "(%.0f%%), of which clear and swap %.2f ms\n",
                    frameMs, frameMs - tinyMs, 100.0 * (frameMs - tinyMs) / frameMs, tinyMs,
                    100.0 * tinyMs / frameMs, clearMs);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<unsigned char> keys(kKeyCount, 0);
    g_keys = keys.data();

    try {
        if (args.size() == 2 && (args[0] == "--bench" || args[0] == "--profile")) {
            double seconds = 0;
            if (!ParseSeconds(args[1], &seconds) || seconds <= 0)
                return Usage((args[0] + " takes a number of seconds").c_str());
            return Bench(seconds, args[0] == "--profile");
        }
        if (args.size() >= 2 && !args[0].empty() && args[0][0] != '-')
            return Snapshots(args[0], std::vector<std::string>(args.begin() + 1, args.end()));
        return Usage(args.empty() ? "no arguments" : "bad arguments");
    } catch (const char* message) {
        std::fprintf(stderr, "snapshot: %s\n", message);
        return 1;
    }
}
