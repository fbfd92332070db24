// No way past a locked saver. With "On resume, display logon screen" Windows locks the session when
// the host ends; while the show runs, the Windows key or Alt+Tab could otherwise hand the unlocked
// session behind it to a passer-by. So, while the saver guards a lock, the show ends as soon as the
// foreground leaves it.
#pragma once

#include <optional>
#include <string>

// Whether the saver guards a locked session. A Group Policy ScreenSaverIsSecure value wins, as it
// does when Windows decides to lock; then the system's own answer where it gives one; then the
// user's ScreenSaverIsSecure value ("1" yes, "0" no). Nothing known: no.
bool SaverIsSecure(const std::optional<std::string>& policyValue, std::optional<bool> systemAnswer,
                   const std::optional<std::string>& userValue);

// Ticked while the show runs. It arms once the renderer has the foreground; from then on a
// foreground outside the show ends it. A renderer that never gets the foreground (the system
// refused it) leaves the keyboard with the program behind the show, so that ends it too, once the
// renderer's window has had `allowanceMs` to take the foreground.
class ForegroundGuard {
public:
    explicit ForegroundGuard(bool guarding, unsigned allowanceMs = 3000)
        : m_guarding(guarding), m_allowanceMs(allowanceMs), m_armed(false), m_windowSeen(false), m_windowSeenAt(0)
    {
    }

    bool Guarding() const { return m_guarding; }
    // rendererWindowFound: the renderer's window exists; nowMs: a millisecond clock (it may wrap);
    // foregroundIsShow: the foreground window is one of the renderer's (or the host's own).
    bool ShowMustEnd(bool rendererWindowFound, unsigned nowMs, bool foregroundIsShow);

private:
    bool m_guarding;
    unsigned m_allowanceMs;
    bool m_armed;
    bool m_windowSeen;
    unsigned m_windowSeenAt;
};
