// Whether the user's screen saver guards a locked session ("On resume, display logon screen").
#pragma once

bool ScreenSaverIsSecure();
