// lunaquill-still: stills of the Linux build's show, and its frame rate.
//
//   lunaquill-still DIR T1 [T2 ...]  writes DIR/scene-<T>.ppm for each scene time T (seconds)
//   lunaquill-still --bench SECONDS  the hack's own frame (events, clock, scene, swap) against a bare
//                                    loop of the same GL calls, each for that long
//   lunaquill-still --paced SECONDS DELAY
//                                    the bare loop with the hack's pacing (frames DELAY microseconds
//                                    apart): its frame rate and its share of a core
//
// Draws a 1024x768 window of its own with the hack's window, context, projection, textures and
// scene: the frames the hack draws.
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"
#include "common/resize_gl_scene.h"
#include "scene/scene.h"
#include "scene/wave_scene.h"
#include "window_x11/gl_window.h"
#include "window_x11/hack_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <time.h>

namespace {

int Usage(const char* problem)
{
    std::fprintf(stderr,
                 "lunaquill-still: %s\nusage: lunaquill-still DIR T1 [T2 ...] | lunaquill-still --bench SECONDS | "
                 "lunaquill-still --paced SECONDS DELAY\n",
                 problem);
    return 2;
}

bool ParseSeconds(const std::string& text, double* value)
{
    char* end = nullptr;
    errno = 0;
    *value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && errno == 0 && *value == *value && *value >= 0.0 && *value < 1e7;
}

// Waits until the window is mapped at its full size, so that the first frame is drawn whole.
void WaitMapped(GLWindow& window)
{
    for (;;) {
        XEvent e;
        XNextEvent(window.display, &e);
        if (e.type == MapNotify)
            return;
    }
}

int Stills(GLWindow& window, const std::string& folder, const std::vector<std::string>& times)
{
    std::vector<unsigned char> pixels(static_cast<std::size_t>(g_screenWidth) * g_screenHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    int failures = 0;
    for (const std::string& t : times) {
        double seconds = 0;
        if (!ParseSeconds(t, &seconds))
            return Usage(("not a scene time: " + t).c_str());
        // A frame before the captured one leaves the same current normal as on screen.
        DrawWaveScene(static_cast<float>(seconds));
        DrawWaveScene(static_cast<float>(seconds));
        glFinish();
        glReadPixels(0, 0, g_screenWidth, g_screenHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        const std::string path = folder + "/scene-" + t + ".ppm";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        bool ok = f != nullptr;
        if (f) {
            std::fprintf(f, "P6\n%d %d\n255\n", g_screenWidth, g_screenHeight);
            for (int row = g_screenHeight - 1; row >= 0; --row)  // OpenGL's row 0 is the bottom
                ok = ok && std::fwrite(&pixels[static_cast<std::size_t>(row) * g_screenWidth * 3], 3,
                                       static_cast<std::size_t>(g_screenWidth), f) == static_cast<std::size_t>(g_screenWidth);
            ok = std::fclose(f) == 0 && ok;
        }
        if (!ok) {
            std::fprintf(stderr, "lunaquill-still: cannot write %s\n", path.c_str());
            ++failures;
        }
        window.SwapBuffers();
    }
    return failures ? 1 : 0;
}

// Frames of one kind for `seconds`; returns how many.
template <typename Frame>
long Frames(GLWindow& window, double seconds, Frame frame)
{
    const long double start = GetTimeSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds) {
        frame();
        window.SwapBuffers();
        ++frames;
    }
    glFinish();
    return frames;
}

int Bench(GLWindow& window, double seconds)
{
    // The hack's frame (drain the events, the clock, the scene) against the same GL calls with
    // nothing around them, in alternating slices so that both meet the same machine.
    const int slices = 6;
    const double slice = seconds / slices;
    long hack = 0, bare = 0;
    const long double origin = GetTimeSeconds();
    for (int i = 0; i < slices; ++i) {
        hack += Frames(window, slice, [&window] {
            while (XPending(window.display)) {
                XEvent e;
                XNextEvent(window.display, &e);
            }
            KeepRunning();
            DrawFrame();
        });
        bare += Frames(window, slice, [origin] { DrawWaveScene(static_cast<float>(GetTimeSeconds() - origin)); });
    }
    const double hackFps = hack / (slice * slices), bareFps = bare / (slice * slices);
    std::printf("hack %.1f fps, bare scene %.1f fps: %.3fx\n", hackFps, bareFps, hackFps / bareFps);
    return 0;
}

// The same GL calls as the hack's frame with nothing around them, started delay microseconds apart as
// the hack starts its frames: what drawing the show costs at that rate.
int Paced(GLWindow& window, double seconds, long delay)
{
    timespec cpu0, cpu1;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
    const long double start = GetTimeSeconds();
    long frames = 0;
    while (GetTimeSeconds() - start < seconds) {
        const long double frameStart = GetTimeSeconds();
        DrawWaveScene(static_cast<float>(frameStart - start));
        window.SwapBuffers();
        ++frames;
        const long rest = RestAfterFrame(delay, static_cast<long>((GetTimeSeconds() - frameStart) * 1e6L));
        const timespec t = {rest / 1000000, (rest % 1000000) * 1000};
        nanosleep(&t, nullptr);
    }
    glFinish();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
    const double wall = static_cast<double>(GetTimeSeconds() - start);
    const double used = static_cast<double>(cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e9;
    std::printf("bare loop, frames %ld us apart: %.1f fps, %.1f %% of a core\n", delay, frames / wall, 100.0 * used / wall);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    static unsigned char s_keys[kKeyCount] = {};
    g_keys = s_keys;
    g_fullscreen = false;
    double seconds = 0, delay = 0;
    const bool bench = args.size() == 2 && args[0] == "--bench";
    const bool paced = args.size() == 3 && args[0] == "--paced";
    if ((bench || paced) && (!ParseSeconds(args[1], &seconds) || seconds <= 0))
        return Usage((args[0] + " takes a number of seconds").c_str());
    if (paced && !ParseSeconds(args[2], &delay))
        return Usage("--paced takes the microseconds between frames");
    if (!bench && !paced && (args.size() < 2 || args[0].empty() || args[0][0] == '-'))
        return Usage(args.empty() ? "no arguments" : "bad arguments");
    Display* display = XOpenDisplay(nullptr);
    int status = 0;
    try {
        GLWindow window(display, 0, g_screenWidth, g_screenHeight, "Lunaquill still");
        WaitMapped(window);
        ResizeGLScene(g_screenWidth, g_screenHeight);
        const long double before = GetTimeSeconds();
        InitScene();
        if (bench)
            std::printf("textures built in %.1f ms\n", static_cast<double>(GetTimeSeconds() - before) * 1000.0);
        if (paced)
            status = Paced(window, seconds, static_cast<long>(delay));
        else if (bench)
            status = Bench(window, seconds);
        else
            status = Stills(window, args[0], std::vector<std::string>(args.begin() + 1, args.end()));
        TermScene();
    } catch (const char* message) {
        std::fprintf(stderr, "lunaquill-still: %s\n", message);
        status = 1;
    }
    if (display)
        XCloseDisplay(display);
    return status;
}
