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

// Options that take the next argument as their value: what it sets. Returns why it is refused, or
// nothing.
std::string TakeValue(const std::string& a, const char* next, HackOptions& o)
{
    if (a == "-window-id") {
        if (!ReadWindowId(next, &o.windowId))
            return std::string("-window-id needs a window id, not ") + (next ? next : "nothing");
        o.target = HackOptions::Target::WindowId;
    } else if (a == "-delay") {
        if (!ReadDelay(next, &o.delayMicros))
            return std::string("-delay needs microseconds (0 to 10000000), not ") + (next ? next : "nothing");
    } else if (a == "-display") {
        if (!next)
            return "-display needs a display name";
        o.display = next;
    } else if (a == "-geometry") {
        if (!next || !*next)
            return "-geometry needs a geometry such as 800x600+0+0";
        o.geometry = next;
    } else if (a == "-visual") {
        // The hack chooses its own OpenGL visual; under the daemon it takes the window's.
        if (!next)
            return "-visual needs a visual";
    }
    return std::string();
}

// Options that stand alone: false when a is none of them.
bool TakeFlag(const std::string& a, HackOptions& o)
{
    if (a == "-window")
        o.target = HackOptions::Target::OwnWindow;
    else if (a == "-root")
        o.target = HackOptions::Target::Root;
    else if (a == "-fps" || a == "-no-fps")
        o.fps = a == "-fps";
    else if (a == "-help" || a == "-h")
        o.help = true;
    // Colormaps and monochrome screens do not concern an OpenGL show; -pair is the demo's.
    else if (a != "-install" && a != "-noinstall" && a != "-mono" && a != "-pair")
        return false;
    return true;
}

bool TakesValue(const std::string& a)
{
    return a == "-window-id" || a == "-delay" || a == "-display" || a == "-geometry" || a == "-visual";
}

} // namespace

HackOptions ParseHackOptions(int argc, const char* const* argv, const char* environmentWindow)
{
    HackOptions o;
    bool chosen = false;  // where to draw named on the command line
    for (int i = 0; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() > 2 && a[0] == '-' && a[1] == '-')
            a.erase(0, 1);  // --root is -root, as other hacks take it
        if (TakesValue(a)) {
            const std::string problem = TakeValue(a, i + 1 < argc ? argv[i + 1] : nullptr, o);
            if (!problem.empty())
                return Fail(o, problem);
            ++i;
        } else if (!TakeFlag(a, o)) {
            return Fail(o, "unknown option " + std::string(argv[i]));
        }
        chosen = chosen || a == "-window" || a == "-root" || a == "-window-id";
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
