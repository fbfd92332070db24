// Whether the user's screen saver guards a locked session ("On resume, display logon screen").
#pragma once

bool ScreenSaverIsSecure();
// How long after the saver's start its end does not lock yet (5 s unless the machine says otherwise).
unsigned ScreenSaverGracePeriodMs();
