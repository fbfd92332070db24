// lunaquill: the show as an XScreenSaver hack (and a program to run by hand). It draws into the
// window the daemon names (-window-id or $XSCREENSAVER_WINDOW), into the root window (-root) or into
// a window of its own (-window, the default), at that window's size, until SIGTERM or SIGINT; in its
// own window Escape and the close button end it as well.
#include "fps_overlay.h"
#include "gl_window.h"
#include "hack_options.h"
#include "scene/scene.h"
#include "window/config.h"
#include "window/frame_clock.h"
#include "window/key_table.h"
#include "window/resize_gl_scene.h"

#include <X11/keysym.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// Events since the last frame: size changes, and in its own window keys and the close button.
// False once the window has asked to be closed.
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
        } else if (window.own && (e.type == KeyPress || e.type == KeyRelease)) {
            if (XLookupKeysym(&e.xkey, 0) == XK_Escape)
                RecordKey(g_keys, g_keyPresses, kEscapeKey, e.type == KeyPress);
        } else if (window.own && e.type == ClientMessage &&
                   static_cast<Atom>(e.xclient.data.l[0]) == window.deleteWindow) {
            open = false;
        }
    }
    return open;
}

} // namespace

int main(int argc, char** argv)
{
    const HackOptions options = ParseHackOptions(argc - 1, argv + 1, std::getenv("XSCREENSAVER_WINDOW"));
    if (!options.ok) {
        std::fprintf(stderr, "lunaquill: %s\n%s", options.error.c_str(), kHackUsage);
        return 2;
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
    int status = 0;
    try {
        Window target = 0;
        if (options.target == HackOptions::Target::Root && display)
            target = RootWindow(display, DefaultScreen(display));
        else if (options.target == HackOptions::Target::WindowId)
            target = options.windowId;
        GLWindow window(display, target, g_screenWidth, g_screenHeight, "Lunaquill");
        int width = g_screenWidth, height = g_screenHeight;
        window.Size(&width, &height);
        ResizeGLScene(width, height);
        InitScene(&window);
        FpsOverlay* fps = options.fps ? new FpsOverlay(display) : nullptr;
        while (!s_stop && Drain(window, &width, &height)) {
            if (window.own && !KeepRunning())
                break;
            DrawFrame();
            if (fps)
                fps->Draw(GetTimeSeconds(), width, height);
            window.SwapBuffers();
            Rest(options.delayMicros);
        }
        delete fps;
        TermScene();
    } catch (const char* message) {
        std::fprintf(stderr, "lunaquill: %s\n", message);
        status = 1;
    }
    if (display)
        XCloseDisplay(display);
    return status;
}
