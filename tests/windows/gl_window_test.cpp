#include "renderer_fixture.h"

#include "window/run_show.h"
#include "window/swap_interval.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

namespace {

const double kCot30 = 1.0 / std::tan(30.0 * 3.14159265358979323846 / 180.0);

void ExpectProjection(int width, int height)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(width, viewport[2]);
    EXPECT_EQ(height == 0 ? 1 : height, viewport[3]);

    GLdouble m[16] = {};
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double aspect = static_cast<double>(width) / (height == 0 ? 1 : height);
    EXPECT_NEAR(kCot30 / aspect, m[0], 1e-5);
    EXPECT_NEAR(kCot30, m[5], 1e-5);
    const double n = 0.10000000149011612, f = 100.0;
    EXPECT_NEAR((f + n) / (n - f), m[10], 1e-5);
    EXPECT_NEAR(2 * f * n / (n - f), m[14], 1e-5);

    GLint matrixMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    EXPECT_EQ(GL_MODELVIEW, matrixMode);
}

// The slots of delay-loaded OpenGL functions.
extern "C" void* __imp_wglGetProcAddress;
extern "C" void* __imp_wglCreateContext;
extern "C" void* __imp_wglMakeCurrent;

// The swap interval the renderer asks the driver for (Wine's default is 1 already, so only the
// request itself tells).
class SwapIntervalRequests {
public:
    SwapIntervalRequests()
        : m_patch(&__imp_wglGetProcAddress, "opengl32.dll", "wglGetProcAddress", reinterpret_cast<void*>(&Lookup))
    {
        s_lookup = m_patch.Original();
        s_requested = -1;
    }
    bool Watching() const { return m_patch.Applied(); }
    int Requested() const { return s_requested; }

private:
    typedef BOOL(WINAPI* Setter)(int);
    static PROC WINAPI Lookup(LPCSTR name)
    {
        const PROC found = reinterpret_cast<PROC(WINAPI*)(LPCSTR)>(s_lookup)(name);
        if (!found || std::strcmp(name, "wglSwapIntervalEXT") != 0)
            return found;
        s_set = reinterpret_cast<Setter>(reinterpret_cast<void*>(found));
        return reinterpret_cast<PROC>(reinterpret_cast<void*>(&Record));
    }
    static BOOL WINAPI Record(int interval)
    {
        s_requested = interval;
        return s_set(interval);
    }

    ImportPatch m_patch;
    static inline void* s_lookup = nullptr;
    static inline Setter s_set = nullptr;
    static inline int s_requested = -1;
};

} // namespace

class GLWindowTest : public RendererFixture {};

TEST_F(GLWindowTest, WindowedWindowIsCentredWithItsContextAndProjection)
{
    const int cursorBefore = CursorCount();
    SwapIntervalRequests swapIntervals;
    ASSERT_TRUE(swapIntervals.Watching());
    std::unique_ptr<GLWindow> window(new GLWindow("LunaquillVC", 1024, 768, 16, false));
    HWND hWnd = window->hWnd;

    EXPECT_EQ("GLWindow", [&] { char n[64] = {}; GetClassNameA(hWnd, n, 64); return std::string(n); }());
    char title[64] = {};
    GetWindowTextA(hWnd, title, sizeof(title));
    EXPECT_STREQ("LunaquillVC", title);

    const LONG style = GetWindowLongA(hWnd, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
              style & ~static_cast<LONG>(WS_VISIBLE));
    EXPECT_EQ(static_cast<LONG>(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE),
              GetWindowLongA(hWnd, GWL_EXSTYLE) & (WS_EX_APPWINDOW | WS_EX_CLIENTEDGE));
    EXPECT_TRUE(IsWindowVisible(hWnd));

    RECT r;
    GetWindowRect(hWnd, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - 512, r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - 384, r.top);
    EXPECT_EQ(1024, r.right - r.left) << "outer size is not adjusted for the frame";
    EXPECT_EQ(768, r.bottom - r.top);

    EXPECT_EQ(window->hRC, wglGetCurrentContext());
    EXPECT_EQ(window->hDC, wglGetCurrentDC());
    EXPECT_EQ(1, swapIntervals.Requested()) << "frames paced to the display (Wine offers WGL_EXT_swap_control)";
    EXPECT_EQ(1, SwapInterval());
    ExpectProjection(1024, 768);
    EXPECT_EQ(cursorBefore, CursorCount()) << "a window keeps the cursor visible";

    window.reset();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, wglGetCurrentContext());
    WNDCLASSA wc;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "GLWindow", &wc)) << "class left registered";
    EXPECT_EQ(cursorBefore + 1, CursorCount()) << "the destructor always shows the cursor once";
    ShowCursor(FALSE);
}

TEST_F(GLWindowTest, WindowProcedureHandlesSizeKeysAndSystemCommands)
{
    GLWindow window("LunaquillVC", 1024, 768, 16, false);
    HWND hWnd = window.hWnd;

    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(640, 0));
    ExpectProjection(640, 0);
    SendMessageA(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    ExpectProjection(800, 600);

    SendMessageA(hWnd, WM_KEYDOWN, 'A', 0x001E0001);
    EXPECT_EQ(1, g_keys['A']);
    SendMessageA(hWnd, WM_KEYUP, 'A', 0xC01E0001);
    EXPECT_EQ(0, g_keys['A']);
    // Only a program posting its own messages produces codes past the table: never written.
    SendMessageA(hWnd, WM_KEYDOWN, 256, 0);
    SendMessageA(hWnd, WM_KEYDOWN, 300, 0);
    SendMessageA(hWnd, WM_KEYDOWN, 0x7FFFFFFF, 0);
    // Keys with Alt held arrive as system keys and are not recorded.
    SendMessageA(hWnd, WM_SYSKEYDOWN, 'B', 0x20300001);
    EXPECT_EQ(0, g_keys['B']);

    EXPECT_EQ(0, SendMessageA(hWnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0));
    EXPECT_EQ(0, SendMessageA(hWnd, WM_SYSCOMMAND, SC_MONITORPOWER, 2));
    EXPECT_TRUE(IsWindow(hWnd));
}

namespace {

std::string s_errorBox;

int WINAPI RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    s_errorBox = std::string(caption) + ": " + text;
    return IDOK;
}
ATOM WINAPI NoClass(const WNDCLASSA*) { return 0; }
HWND WINAPI NoWindow(DWORD, LPCSTR, LPCSTR, DWORD, int, int, int, int, HWND, HMENU, HINSTANCE, LPVOID) { return nullptr; }
HDC WINAPI NoDC(HWND) { return nullptr; }
int WINAPI NoPixelFormat(HDC, const PIXELFORMATDESCRIPTOR*) { return 0; }
BOOL WINAPI PixelFormatRefused(HDC, int, const PIXELFORMATDESCRIPTOR*) { return FALSE; }
HGLRC WINAPI NoContext(HDC) { return nullptr; }
BOOL WINAPI ContextRefused(HDC, HGLRC) { return FALSE; }

} // namespace

// Each failure of the window's making, in either show: its message in the error box, and an exit
// status that is not 0 (a host that guards a lock then knows the user did not end the show). A window
// left behind for the system, whose messages the error box's loop still sends, leads back to no object.
TEST_F(GLWindowTest, EachFailureSaysWhyAndEndsWithAnErrorStatus)
{
    const struct {
        const char* dll;
        const char* function;
        void** delaySlot;
        void* stub;
        const char* message;
    } failures[] = {
        {"user32.dll", "RegisterClassA", nullptr, reinterpret_cast<void*>(&NoClass), "Register window class failed"},
        {"user32.dll", "CreateWindowExA", nullptr, reinterpret_cast<void*>(&NoWindow), "Create window failed"},
        {"user32.dll", "GetDC", nullptr, reinterpret_cast<void*>(&NoDC), "Create DC failed"},
        {"gdi32.dll", "ChoosePixelFormat", nullptr, reinterpret_cast<void*>(&NoPixelFormat), "No suitable pixel format found"},
        {"gdi32.dll", "SetPixelFormat", nullptr, reinterpret_cast<void*>(&PixelFormatRefused), "Set pixelformat failed"},
        {"opengl32.dll", "wglCreateContext", &__imp_wglCreateContext, reinterpret_cast<void*>(&NoContext),
         "Create GL Context failed"},
        {"opengl32.dll", "wglMakeCurrent", &__imp_wglMakeCurrent, reinterpret_cast<void*>(&ContextRefused),
         "Select Contexts failed"},
    };
    ImportPatch box("user32.dll", "MessageBoxA", reinterpret_cast<void*>(&RecordBox));
    ASSERT_TRUE(box.Applied());
    for (const auto& f : failures) {
        for (const char* show : {"", "/native"}) {
            std::unique_ptr<ImportPatch> patch(f.delaySlot ? new ImportPatch(f.delaySlot, f.dll, f.function, f.stub)
                                                           : new ImportPatch(f.dll, f.function, f.stub));
            ASSERT_TRUE(patch->Applied()) << f.function;
            s_errorBox.clear();
            const int status = RunShow(show);
            patch.reset();
            EXPECT_EQ(std::string("ERROR: ") + f.message, s_errorBox) << f.function << " " << show;
            EXPECT_NE(0, status) << f.function << " " << show;
            if (HWND left = FindWindowA("GLWindow", "LunaquillVC")) {
                EXPECT_EQ(nullptr, GLWindow::FromWindow(left)) << f.function << " " << show;
                DestroyWindow(left);
            }
            UnregisterClassA("GLWindow", GetModuleHandleA(nullptr));
        }
    }
}
