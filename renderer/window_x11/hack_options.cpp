#include "hack_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

// 25 frames a second: on a software renderer (Xvfb and llvmpipe, 1024x768) that takes a little less
// of a core than XScreenSaver's own hypertorus does with its default; on a graphics card very little.
const long HackOptions::kDefaultDelayMicros = 40000;

const char kHackUsage[] =
    "usage: lunaquill [-window | -root | -window-id ID] [-geometry WxH+X+Y] [-delay MICROSECONDS]\n"
    "                 [-fps | -no-fps] [-display DISPLAY] [-help]\n"
    "  -window        a window of its own (the default when run by hand); q or Escape ends it\n"
    "  -root          the root window, or under XScreenSaver the window it names\n"
    "  -window-id ID  a window another program made\n"
    "  -geometry G    size and place of its own window, as X takes them\n"
    "  -delay N       microseconds from the start of one frame to the next (default 40000)\n"
    "  -fps           the frame rate in the lower left corner\n"
    "  -display NAME  the X display (default: $DISPLAY)\n"
    "  -visual, -install, -noinstall, -mono, -pair: taken as other hacks take them, and ignored\n";

long RestAfterFrame(long delayMicros, long frameMicros)
{
    return frameMicros < 0 || frameMicros >= delayMicros ? 0 : delayMicros - frameMicros;
}

namespace {

// A window id as X prints them: decimal, or hexadecimal after 0x.
bool ReadWindowId(const char* text, unsigned long* id)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long v = std::strtoul(text, &end, 0);
    if (*end != '\0' || errno != 0 || v == 0 || text[0] == '-')
        return false;
    *id = v;
    return true;
}

bool ReadDelay(const char* text, long* delay)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (*end != '\0' || errno != 0 || v < 0 || v > 10000000)
        return false;
    *delay = v;
    return true;
}

HackOptions Fail(HackOptions o, const std::string& why)
{
    o.ok = false;
    o.error = why;
    return o;
}

} // namespace

HackOptions ParseHackOptions(int argc, const char* const* argv, const char* environmentWindow)
{
    HackOptions o;
    bool chosen = false;
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() > 2 && a[0] == '-' && a[1] == '-')
            a.erase(0, 1);  // --root is -root, as other hacks take it
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "-window") {
            o.target = HackOptions::Target::OwnWindow;
            chosen = true;
        } else if (a == "-root") {
            o.target = HackOptions::Target::Root;
            chosen = true;
        } else if (a == "-window-id") {
            if (!ReadWindowId(next, &o.windowId))
                return Fail(o, std::string("-window-id needs a window id, not ") + (next ? next : "nothing"));
            o.target = HackOptions::Target::WindowId;
            chosen = true;
            ++i;
        } else if (a == "-delay") {
            if (!ReadDelay(next, &o.delayMicros))
                return Fail(o, std::string("-delay needs microseconds (0 to 10000000), not ") + (next ? next : "nothing"));
            ++i;
        } else if (a == "-fps") {
            o.fps = true;
        } else if (a == "-no-fps") {
            o.fps = false;
        } else if (a == "-display") {
            if (!next)
                return Fail(o, "-display needs a display name");
            o.display = next;
            ++i;
        } else if (a == "-geometry") {
            if (!next || !*next)
                return Fail(o, "-geometry needs a geometry such as 800x600+0+0");
            o.geometry = next;
            ++i;
        } else if (a == "-visual") {
            // The hack chooses its own OpenGL visual; under the daemon it takes the window's.
            if (!next)
                return Fail(o, "-visual needs a visual");
            ++i;
        } else if (a == "-install" || a == "-noinstall" || a == "-mono" || a == "-pair") {
            // Colormaps and monochrome screens do not concern an OpenGL show; -pair is the demo's.
        } else if (a == "-help" || a == "-h") {
            o.help = true;
        } else {
            return Fail(o, "unknown option " + std::string(argv[i]));
        }
    }
    // Under the daemon the "root" is its own window (a virtual root), which it names in the
    // environment.
    const bool rootOrDefault = !chosen || o.target == HackOptions::Target::Root;
    if (rootOrDefault && environmentWindow && *environmentWindow) {
        if (!ReadWindowId(environmentWindow, &o.windowId))
            return Fail(o, std::string("XSCREENSAVER_WINDOW is no window id: ") + environmentWindow);
        o.target = HackOptions::Target::WindowId;
    }
    return o;
}
