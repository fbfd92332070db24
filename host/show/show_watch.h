// What the run form decides, tick by tick, about the show as a whole: whether the renderer is still
// drawing it, and, where the saver guards a locked session, whether the host must take over or end.
//
// Windows locks the session when the host ends, except within a grace period after it started, so
// a saver that guards a lock never ends without the user: a renderer that could not start, crashed
// or never took the keyboard leaves the host holding the screen (covers, keyboard, mouse), and the
// show ends only on the user's input or when another window takes the foreground (on a desktop the
// saver shares with other programs, that is the Windows key or Alt+Tab handing the session over).
#pragma once

// The renderer's process: still running, ended with exit code 0 (Escape or WM_CLOSE: the show was
// ended), or failed (never started, crashed, ended with an error).
enum class RendererState { Running, Ended, Failed };

// Whose window has the foreground: nobody's (between windows, or a desktop of the saver's own), the
// show's (the renderer's or the host's), or another program's.
enum class Foreground { Nobody, Show, Other };

enum class ShowVerdict {
    Running,     // nothing to do
    Over,        // the show has ended: the host ends
    Hold,        // the host takes the keyboard and keeps the screen covered until the user's input
    EndForLock,  // the foreground left a guarded show: close the renderer and end, so Windows locks
};

struct ShowObservation {
    bool windowFound;       // a window titled "LunaquillVC" exists
    RendererState renderer;
    Foreground foreground;
    unsigned nowMs;         // a millisecond clock; it may wrap
};

class ShowWatch {
public:
    // guarding: the saver guards a lock (S mode). startAllowanceMs: how long a renderer may take to
    // open its window (or, guarded, to end once its window has gone); foregroundAllowanceMs: how long
    // its window may take to get the foreground before a guarded host takes the keyboard itself.
    ShowWatch(bool guarding, unsigned startMs, unsigned startAllowanceMs = 10000, unsigned foregroundAllowanceMs = 3000);

    bool Guarding() const { return m_guarding; }
    bool Holding() const { return m_holding; }
    // Hold is answered once; Over and EndForLock are final.
    ShowVerdict Check(const ShowObservation& seen);

private:
    ShowVerdict Unguarded(const ShowObservation& seen) const;
    bool MustHold(const ShowObservation& seen) const;

    bool m_guarding;
    unsigned m_startAllowanceMs;
    unsigned m_foregroundAllowanceMs;
    unsigned m_startMs;
    bool m_windowSeen;
    unsigned m_windowSeenAt;
    unsigned m_windowLastSeen;
    bool m_armed;    // the show has had the foreground
    bool m_holding;
};
