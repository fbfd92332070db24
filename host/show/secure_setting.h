// Whether the saver guards a locked session ("On resume, display logon screen"), decided from what
// the system and the registry say.
#pragma once

#include <optional>
#include <string>

// A Group Policy ScreenSaverIsSecure value wins, as it does when Windows decides to lock; then the
// system's own answer where it gives one; then the user's ScreenSaverIsSecure value ("1" yes, "0"
// no). Nothing known: no.
bool SaverIsSecure(const std::optional<std::string>& policyValue, std::optional<bool> systemAnswer,
                   const std::optional<std::string>& userValue);
