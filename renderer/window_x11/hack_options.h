// The command line of the XScreenSaver hack, without X: where to draw, how long to rest between
// frames, whether to show the frame rate.
#pragma once

#include <string>

struct HackOptions {
    enum class Target { OwnWindow, Root, WindowId };
    Target target = Target::OwnWindow;
    unsigned long windowId = 0;
    // The time from the start of one frame to the start of the next; a frame that takes longer is
    // followed at once. The scene follows real time, so this sets only how much of a core the show
    // may take.
    long delayMicros = kDefaultDelayMicros;
    bool fps = false;
    std::string display;   // empty: $DISPLAY
    std::string geometry;  // X geometry of its own window (WxH+X+Y), empty: the default
    bool help = false;     // -help: print the usage and end
    bool ok = true;
    std::string error;  // why not ok

    static const long kDefaultDelayMicros;
};

// How long to rest after a frame that took frameMicros, so that frames start delayMicros apart.
long RestAfterFrame(long delayMicros, long frameMicros);

// Reads the arguments after the program name; `environmentWindow` is $XSCREENSAVER_WINDOW (or null),
// the daemon's window, used when the command line names none or asks for the root. -window and
// -window-id win over it. The options XScreenSaver's GL hacks share and that mean nothing here
// (-visual, -install, -noinstall, -mono, -pair) are taken and ignored.
HackOptions ParseHackOptions(int argc, const char* const* argv, const char* environmentWindow);

extern const char kHackUsage[];
