#include "run_show.h"

#include "gl_window.h"
#include "host_tie.h"
#include "main_loop.h"

#include "common/config.h"
#include "common/key_table.h"
#include "scene/scene.h"
#include "shared/renderer_names.h"
#include "shared/show_options.h"

#include <cstdlib>
#include <cstring>

int RunShow(const char* commandLine)
{
    const ShowOptions options = ParseShowOptions(commandLine ? commandLine : "");
    // Started by a host that could not take it into its job: it ends with that host.
    if (options.hostProcessId && !EndWithHost(options.hostProcessId))
        return 1;
    g_keys = static_cast<unsigned char*>(std::malloc(kKeyCount));
    if (g_keys)
        std::memset(g_keys, 0, kKeyCount);

    g_screenWidth = 1024;
    g_screenHeight = 768;
    g_colorBits = 16;
    g_fullscreen = true;
    g_textureFilter = 2;
    g_endOnInput = options.endOnInput;

    int exitCode = 1;
    if (g_keys) {
        try {
            GLWindow* window = options.nativeDisplay
                                   ? new GLWindow(kRendererTitle)
                                   : new GLWindow(kRendererTitle, g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
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
