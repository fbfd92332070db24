#include "show_watch.h"

ShowWatch::ShowWatch(bool guarding, unsigned startMs, unsigned graceMs, unsigned startAllowanceMs,
                     unsigned foregroundAllowanceMs)
    : m_guarding(guarding), m_graceMs(graceMs), m_startAllowanceMs(startAllowanceMs),
      m_foregroundAllowanceMs(foregroundAllowanceMs), m_startMs(startMs), m_windowSeen(false), m_windowSeenAt(0),
      m_windowLastSeen(0), m_armed(false), m_holding(false)
{
}

ShowVerdict ShowWatch::Check(const ShowObservation& seen)
{
    if (seen.windowFound) {
        if (!m_windowSeen)
            m_windowSeenAt = seen.nowMs;
        m_windowSeen = true;
        m_windowLastSeen = seen.nowMs;
    }
    if (!m_guarding)
        return Unguarded(seen);

    // The user ended the show in the renderer (Escape, or its window closed).
    if (seen.renderer == RendererState::Ended && m_windowSeen)
        return ShowVerdict::Over;
    // Past the grace period the lock can have the keyboard whenever the show has not: armed or not,
    // holding or not.
    if (seen.foreground == Foreground::Other && seen.nowMs - m_startMs >= m_graceMs)
        return ShowVerdict::EndForLock;
    if (!m_holding && MustHold(seen)) {
        m_holding = true;
        return ShowVerdict::Hold;
    }
    if (seen.foreground == Foreground::Show)
        m_armed = true;
    else if (seen.foreground == Foreground::Other && m_armed)
        return ShowVerdict::EndForLock;
    return ShowVerdict::Running;
}

// Without a lock to guard the show is over once the renderer's window has gone or stopped answering,
// except while the renderer is still starting.
ShowVerdict ShowWatch::Unguarded(const ShowObservation& seen) const
{
    if (seen.renderer == RendererState::Hung)
        return ShowVerdict::Over;
    if (seen.windowFound)
        return ShowVerdict::Running;
    const bool starting =
        !m_windowSeen && seen.renderer == RendererState::Running && seen.nowMs - m_startMs < m_startAllowanceMs;
    return starting ? ShowVerdict::Running : ShowVerdict::Over;
}

bool ShowWatch::MustHold(const ShowObservation& seen) const
{
    if (seen.renderer != RendererState::Running)
        return true;  // failed, hung, or ended before it ever showed the show
    if (!seen.windowFound && seen.nowMs - (m_windowSeen ? m_windowLastSeen : m_startMs) >= m_startAllowanceMs)
        return true;  // no window for too long: still starting, or hung on its way out
    // Its window never got the keyboard, which is then with whatever program had it.
    return m_windowSeen && !m_armed && seen.foreground != Foreground::Show &&
           seen.nowMs - m_windowSeenAt >= m_foregroundAllowanceMs;
}
