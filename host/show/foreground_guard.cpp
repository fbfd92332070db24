#include "foreground_guard.h"

#include <cstdlib>

namespace {

bool IsOn(const std::string& value)
{
    return std::atoi(value.c_str()) != 0;
}

} // namespace

bool SaverIsSecure(const std::optional<std::string>& policyValue, std::optional<bool> systemAnswer,
                   const std::optional<std::string>& userValue)
{
    if (policyValue)
        return IsOn(*policyValue);
    if (systemAnswer)
        return *systemAnswer;
    return userValue && IsOn(*userValue);
}

bool ForegroundGuard::ShowMustEnd(bool rendererWindowFound, unsigned nowMs, bool foregroundIsShow)
{
    if (!m_guarding)
        return false;
    if (rendererWindowFound && !m_windowSeen) {
        m_windowSeen = true;
        m_windowSeenAt = nowMs;
    }
    if (rendererWindowFound && foregroundIsShow) {
        m_armed = true;
        return false;
    }
    if (m_armed)
        return true;
    return m_windowSeen && nowMs - m_windowSeenAt >= m_allowanceMs;
}
