// Both programs load the system's own libraries from the system folder only. Windows looks for a
// library that is not on its list of known system libraries (winmm, msimg32, opengl32, glu32 among
// them) in the program's folder first: a winmm.dll dropped beside a program unzipped into Downloads
// would run with the user's rights. Those libraries are delay-loaded (see lq_delay_load in the build),
// so that nothing but the known ones is loaded before the program's first line tells Windows where
// to look.
#pragma once

#include <windows.h>

#include <initializer_list>

// The first thing each program does: from here on every library, and every library those load, comes
// from the system folder. Where Windows cannot be told so (Windows 7 without its 2011 loader update),
// the program's delay-loaded libraries are loaded now from the system folder by their full paths.
void UseSystemLibrariesOnly(std::initializer_list<const wchar_t*> delayLoaded);

// A system library by name, from the system folder whatever the program was told; null if it is not
// there (shcore.dll before Windows 8.1).
HMODULE LoadSystemLibrary(const wchar_t* name);
