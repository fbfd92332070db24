// What the run form decides, each time it looks, about the show as a whole: whether the renderer is
// still drawing it, and, where the saver guards a locked session, whether the host must take over or
// end.
//
// Windows locks the session when the host ends, unless it ends within the grace period after its
// start. So a saver that guards a lock never ends without the user: a renderer that could not start,
// crashed, hung or never took the keyboard leaves the host holding the screen (covers, keyboard,
// mouse), and the show ends on the user's input. And when in doubt it locks: past the grace period,
// any other program's window with the foreground (the Windows key, Alt+Tab, a program's hot key, a
// foreground the show was refused) ends the show at once, so that the lock screen takes the keyboard.
#pragma once

// The renderer's process: still running, running with its window not answering (hung in its driver,
// held by a crash dialog), ended with exit code 0 (Escape or WM_CLOSE: the show was ended), or failed
// (never started, crashed, ended with an error).
enum class RendererState { Running, Hung, Ended, Failed };

// Whose window has the foreground: nobody's (between windows, or a desktop of its own such as the
// secure desktop), the show's (the renderer's or the host's), or another program's.
enum class Foreground { Nobody, Show, Other };

enum class ShowVerdict {
    Running,     // nothing to do
    Over,        // the show has ended: the host ends (a hung renderer is ended with it)
    Hold,        // the host takes the keyboard and keeps the screen covered until the user's input (a
                 // hung renderer is ended first)
    EndForLock,  // another program has the keyboard of a guarded show: the host ends at once
};

struct ShowObservation {
    bool windowFound;       // a window titled "LunaquillVC" exists
    RendererState renderer;
    Foreground foreground;
    unsigned nowMs;         // a millisecond clock; it may wrap
};

class ShowWatch {
public:
    // guarding: the saver guards a lock (S mode). graceMs: Windows' grace period after the start.
    // startAllowanceMs: how long a renderer may take to open its window (or, guarded, to end once its
    // window has gone); foregroundAllowanceMs: how long its window may take to get the foreground
    // before a guarded host takes the keyboard itself (within the grace period).
    ShowWatch(bool guarding, unsigned startMs, unsigned graceMs = 5000, unsigned startAllowanceMs = 10000,
              unsigned foregroundAllowanceMs = 3000);

    bool Guarding() const { return m_guarding; }
    bool Holding() const { return m_holding; }
    bool WindowSeen() const { return m_windowSeen; }
    // Hold is answered once; Over and EndForLock are final.
    ShowVerdict Check(const ShowObservation& seen);

private:
    ShowVerdict Unguarded(const ShowObservation& seen) const;
    bool MustHold(const ShowObservation& seen) const;

    bool m_guarding;
    unsigned m_graceMs;
    unsigned m_startAllowanceMs;
    unsigned m_foregroundAllowanceMs;
    unsigned m_startMs;
    bool m_windowSeen;
    unsigned m_windowSeenAt;
    unsigned m_windowLastSeen;
    bool m_armed;    // the show has had the foreground
    bool m_holding;
};
