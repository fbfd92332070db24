// Whether the saver guards a locked session ("On resume, display logon screen"), and for how long
// after its start its end still does not lock, decided from what the system and the registry say.
#pragma once

#include <optional>
#include <string>

// A Group Policy ScreenSaverIsSecure value wins, as it does when Windows decides to lock; then the
// system's own answer where it gives one; then the user's ScreenSaverIsSecure value ("1" yes, "0"
// no). Nothing known: no.
bool SaverIsSecure(const std::optional<std::string>& policyValue, std::optional<bool> systemAnswer,
                   const std::optional<std::string>& userValue);

// Windows' grace period after a screen saver starts (Winlogon's ScreenSaverGracePeriod, in seconds):
// within it the saver's end does not lock. 5 s when the value is missing or no whole number of
// seconds; at most an hour.
unsigned GracePeriodMs(const std::optional<std::string>& value);
