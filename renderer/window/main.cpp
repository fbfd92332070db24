// Lunaquill.dll: despite its name a stand-alone program, started by Lunaquill.scr. It takes no
// arguments and ends on Escape or WM_CLOSE with exit code 0; a show that could not start ends with 1,
// which tells a host that guards a lock that the user did not end it.
#include "gl_window.h"
#include "main_loop.h"

#include "common/config.h"
#include "common/key_table.h"
#include "scene/scene.h"

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    g_keys = static_cast<unsigned char*>(std::malloc(kKeyCount));
    if (g_keys)
        std::memset(g_keys, 0, kKeyCount);

    g_screenWidth = 1024;
    g_screenHeight = 768;
    g_colorBits = 16;
    g_fullscreen = true;
    g_textureFilter = 2;

    int exitCode = 1;
    if (g_keys) {
        try {
            GLWindow* window =
                new GLWindow("LunaquillVC", g_screenWidth, g_screenHeight, g_colorBits, g_fullscreen);
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
