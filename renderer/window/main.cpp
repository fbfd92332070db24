// Lunaquill.dll: despite its name a stand-alone program, started by Lunaquill.scr. Without arguments
// it gives the original show (1024x768x16 on the primary); "/native" puts the show on every monitor at
// its own resolution, "/end-on-input" ends it on any input besides Escape and WM_CLOSE. It ends with
// exit code 0; a show that could not start ends with 1, which tells a host that guards a lock that the
// user did not end it.
#include "dpi_awareness.h"
#include "gl_window.h"
#include "main_loop.h"

#include "common/config.h"
#include "common/key_table.h"
#include "scene/scene.h"
#include "shared/show_options.h"

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    BecomeDpiAware();
    const ShowOptions options = ParseShowOptions(commandLine ? commandLine : "");
    g_keys = static_cast<unsigned char*>(std::malloc(kKeyCount));
    if (g_keys)
        std::memset(g_keys, 0, kKeyCount);

    g_screenWidth = 1024;
    g_screenHeight = 768;
    g_colorBits = 16;
    g_fullscreen = true;
    g_textureFilter = 2;
    g_nativeDisplay = options.nativeDisplay;
    g_endOnInput = options.endOnInput;

    int exitCode = 1;
    if (g_keys) {
        try {
            GLWindow* window = g_nativeDisplay
                                   ? new GLWindow("LunaquillVC")
                                   : new GLWindow("LunaquillVC", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
            InitScene();
            RunMainLoop(*window);
            TermScene();  // the context is still current: GL objects can be deleted
            delete window;
            exitCode = 0;
        } catch (const char* message) {
            MessageBoxA(nullptr, message, "ERROR", MB_ICONERROR);
        }
    }

    std::free(g_keys);
    g_keys = nullptr;
    return exitCode;
}
