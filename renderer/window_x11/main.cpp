// lunaquill: the show as an XScreenSaver hack (and a program to run by hand). It draws into the
// window the daemon names (-window-id or $XSCREENSAVER_WINDOW), into the root window (-root) or into
// a window of its own (-window, the default), at that window's size, until SIGTERM or SIGINT or until
// that window is destroyed; in its own window Escape, q and the close button end it as well.
#include "fps_overlay.h"
#include "gl_window.h"
#include "hack_options.h"
#include "scene/scene.h"
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"
#include "common/resize_gl_scene.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <time.h>

namespace {

volatile std::sig_atomic_t s_stop = 0;

void Stop(int)
{
    s_stop = 1;
}

void Rest(long micros)
{
    if (micros <= 0)
        return;
    timespec t = {micros / 1000000, (micros % 1000000) * 1000};
    nanosleep(&t, nullptr);  // a signal cuts it short, which is what ending needs
}

// The daemon may take its window away before it says stop: an error about the window ends the show
// quietly instead of the process (Xlib's own handler exits).
int OnXError(Display*, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable || error->error_code == BadMatch)
        s_stop = 1;
    return 0;
}

// Events since the last frame: size changes, the window's end, and in its own window keys and the
// close button. False once the window has gone or asked to be closed.
bool Drain(GLWindow& window, int* width, int* height)
{
    bool open = true;
    while (XPending(window.display)) {
        XEvent e;
        XNextEvent(window.display, &e);
        if (e.type == ConfigureNotify) {
            *width = e.xconfigure.width;
            *height = e.xconfigure.height;
            ResizeGLScene(*width, *height);
        } else if (e.type == DestroyNotify && e.xdestroywindow.window == window.window) {
            open = false;  // someone else's window taken away: nothing left to draw in
        } else if (window.own && (e.type == KeyPress || e.type == KeyRelease)) {
            const KeySym key = XLookupKeysym(&e.xkey, 0);
            if (key == XK_Escape)
                RecordKey(g_keys, g_keyPresses, kEscapeKey, e.type == KeyPress);
            else if (key == XK_q && e.type == KeyPress)
                open = false;
        } else if (window.own && e.type == ClientMessage &&
                   static_cast<Atom>(e.xclient.data.l[0]) == window.deleteWindow) {
            open = false;
        }
    }
    return open;
}

// Its own window's place and size from an X geometry (sizes not given stay as they are).
bool Place(Display* display, const std::string& geometry, int* x, int* y, int* width, int* height)
{
    unsigned w = static_cast<unsigned>(*width), h = static_cast<unsigned>(*height);
    const int flags = XParseGeometry(geometry.c_str(), x, y, &w, &h);
    if (flags == NoValue || w == 0 || h == 0)
        return false;
    const int screen = DefaultScreen(display);
    if (flags & XNegative)
        *x += DisplayWidth(display, screen) - static_cast<int>(w);
    if (flags & YNegative)
        *y += DisplayHeight(display, screen) - static_cast<int>(h);
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

long Micros(long double seconds)
{
    return static_cast<long>(seconds * 1e6L);
}

// The show's loop: a frame, then a rest so that frames start the delay apart, until a signal, the
// window's end or (in its own window) Escape.
void Run(GLWindow& window, const HackOptions& options, int width, int height)
{
    FpsOverlay* fps = options.fps ? new FpsOverlay(window.display) : nullptr;
    const long double started = GetTimeSeconds();
    long frames = 0;
    while (!s_stop && Drain(window, &width, &height)) {
        const long double frameStart = GetTimeSeconds();
        if (window.own && !KeepRunning())
            break;
        DrawFrame();
        if (fps)
            fps->Draw(GetTimeSeconds(), width, height);
        window.SwapBuffers();
        ++frames;
        Rest(RestAfterFrame(options.delayMicros, Micros(GetTimeSeconds() - frameStart)));
    }
    if (fps) {
        const double seconds = static_cast<double>(GetTimeSeconds() - started);
        std::fprintf(stderr, "lunaquill: %ld frames in %.2f s, %.1f fps\n", frames, seconds,
                     seconds > 0 ? frames / seconds : 0.0);
    }
    delete fps;
}

// Where to draw: the root, a window someone else made, or (0) a window of its own.
Window TargetOf(Display* display, const HackOptions& options)
{
    if (options.target == HackOptions::Target::Root && display)
        return RootWindow(display, DefaultScreen(display));
    return options.target == HackOptions::Target::WindowId ? options.windowId : 0;
}

// Draws the show until it ends; the exit status (1: no display, visual or context; 2: a bad
// -geometry).
int Show(Display* display, const HackOptions& options)
{
    const Window target = TargetOf(display, options);
    int x = 0, y = 0, width = g_screenWidth, height = g_screenHeight;
    if (!options.geometry.empty() && display && !target && !Place(display, options.geometry, &x, &y, &width, &height)) {
        std::fprintf(stderr, "lunaquill: -geometry %s is no X geometry\n%s", options.geometry.c_str(), kHackUsage);
        return 2;
    }
    try {
        GLWindow window(display, target, width, height, "Lunaquill", x, y);
        window.Size(&width, &height);
        ResizeGLScene(width, height);
        InitScene();
        Run(window, options, width, height);
        TermScene();
    } catch (const char* message) {
        std::fprintf(stderr, "lunaquill: %s\n", message);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const HackOptions options = ParseHackOptions(argc - 1, argv + 1, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.ok) {
        std::fprintf(stderr, "lunaquill: %s\n%s", options.error.c_str(), kHackUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kHackUsage, stdout);
        return 0;
    }
    struct sigaction action = {};
    action.sa_handler = Stop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    static unsigned char s_keys[kKeyCount] = {};
    g_keys = s_keys;
    g_screenWidth = 1024;
    g_screenHeight = 768;
    g_fullscreen = false;
    g_textureFilter = 2;

    Display* display = XOpenDisplay(options.display.empty() ? nullptr : options.display.c_str());
    XSetErrorHandler(OnXError);
    const int status = Show(display, options);
    if (display)
        XCloseDisplay(display);
    return status;
}
