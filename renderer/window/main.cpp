// Lunaquill.dll: despite its name a stand-alone program, started by Lunaquill.scr. Without arguments
// it gives the original show (1024x768x16 on the primary); "/native" puts the show on every monitor at
// its own resolution, "/end-on-input" ends it on any input besides Escape and WM_CLOSE.
#include "dpi_awareness.h"
#include "run_show.h"

#include "shared/system_libraries.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // The libraries the build delay-loads, which Windows would otherwise look for here first.
    UseSystemLibrariesOnly({L"opengl32.dll", L"glu32.dll"});
    BecomeDpiAware();
    return RunShow(commandLine);
}
