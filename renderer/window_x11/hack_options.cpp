#include "hack_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char kHackUsage[] =
    "usage: lunaquill [-window | -root | -window-id ID] [-delay MICROSECONDS] [-fps | -no-fps] [-display DISPLAY]\n";

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
