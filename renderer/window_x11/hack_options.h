// The command line of the XScreenSaver hack, without X: where to draw, how long to rest between
// frames, whether to show the frame rate.
#pragma once

#include <string>

struct HackOptions {
    enum class Target { OwnWindow, Root, WindowId };
    Target target = Target::OwnWindow;
    unsigned long windowId = 0;
    // Rest between frames. The scene follows real time, so this sets only how much of a core the
    // show may take: 10 ms lets it reach 60 frames a second and leaves the rest of the core free.
    long delayMicros = 10000;
    bool fps = false;
    std::string display;  // empty: $DISPLAY
    bool ok = true;
    std::string error;  // why not ok
};

// Reads the arguments after the program name; `environmentWindow` is $XSCREENSAVER_WINDOW (or null),
// the daemon's window, used when the command line names none or asks for the root. -window and
// -window-id win over it.
HackOptions ParseHackOptions(int argc, const char* const* argv, const char* environmentWindow);

extern const char kHackUsage[];
