// Drives the real Lunaquill.scr (and the renderer it starts) from a folder with blanks in its name.
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace lqtest;

namespace {

const char kRendererMissing[] =  // "Lunaquill.dll が同じﾌｫﾙﾀﾞに見つかりません！" in code page 932
    "Lunaquill.dll \x82\xAA\x93\xAF\x82\xB6\xCC\xAB\xD9\xC0\xDE\x82\xC9\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC"
    "\x82\xB9\x82\xF1\x81I";

BOOL CALLBACK CountTitled(HWND window, LPARAM data)
{
    char title[64] = {};
    GetWindowTextA(window, title, sizeof(title));
    if (std::string(title) == "LunaquillVC")
        ++*reinterpret_cast<int*>(data);
    return TRUE;
}

int RendererWindows()
{
    int count = 0;
    EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&count));
    return count;
}

// A setting of the user's or the machine's, kept where Windows keeps it, for the life of a test: "On
// resume, display logon screen" (Wine does not answer SPI_GETSCREENSAVESECURE) and Winlogon's grace
// period. SetUp takes away what a test killed by its time-out left.
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
struct RegistryValue {
    RegistryValue(HKEY root, const char* key, const char* name, const char* value) : root(root), key(key), name(name)
    {
        RegSetKeyValueA(root, key, name, REG_SZ, value, static_cast<DWORD>(std::strlen(value) + 1));
    }
    ~RegistryValue() { RegDeleteKeyValueA(root, key, name); }
    HKEY root;
    const char *key, *name;
};
struct SecureSaverSetting : RegistryValue {
    explicit SecureSaverSetting(const char* on) : RegistryValue(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaverIsSecure", on) {}
};

bool Ended(HANDLE process)
{
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

DWORD ExitCodeOf(HANDLE process)
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    return code;
}

// Another program's window takes the foreground, as the Windows key or Alt+Tab would.
HWND AnotherProgramTakesTheForeground()
{
    HWND other = CreateWindowExA(0, "Static", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    return other;
}

class HostProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, FindWindowA(nullptr, "LunaquillVC")) << "a renderer is already running";
        ASSERT_EQ(nullptr, FindWindowA(nullptr, "Lunaquill_Main")) << "a host is already running";
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaverIsSecure");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kWinlogonKey, "ScreenSaverGracePeriod");
        m_folder = FolderWithPrograms("Lunaquill e2e", {"Lunaquill.scr"});
        ASSERT_FALSE(m_folder.empty());
    }
    void TearDown() override
    {
        m_second.Kill();
        m_host.Kill();
        if (HWND w = FindWindowA(nullptr, "LunaquillVC")) {
            if (HANDLE p = OpenProcessOf(w)) {
                TerminateProcess(p, 99);
                WaitForSingleObject(p, 5000);
                CloseHandle(p);
            }
        }
        for (const char* name : {"LQ_FAKE_RENDERER_DELAY_MS", "LQ_FAKE_RENDERER_EXIT", "LQ_FAKE_RENDERER_CLOSE_MS",
                                 "LQ_FAKE_RENDERER_HANG_MS"})
            SetEnvironmentVariableA(name, nullptr);
        RemoveFolder(m_folder);
    }

    void InstallRenderer(const char* program = "Lunaquill.dll")
    {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + program).c_str(), (m_folder + "\\Lunaquill.dll").c_str(), FALSE));
    }

    // The renderer's window and an open handle to its process.
    HWND RendererWindow(HANDLE* process, DWORD timeoutMs = 15000)
    {
        HWND window = WaitForWindow("LunaquillVC", timeoutMs);
        if (window && process)
            *process = OpenProcessOf(window);
        return window;
    }

    std::string m_folder;
    Process m_host;
    Process m_second;
};

} // namespace

TEST_F(HostProcess, ShowStartsTheRendererAndEndsSoonAfterIt)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    HANDLE renderer = nullptr;
    HWND window = RendererWindow(&renderer);
    ASSERT_NE(nullptr, window) << "the renderer's window did not appear";
    HWND runForm = FindWindowA(nullptr, "Lunaquill_Main");
    ASSERT_NE(nullptr, runForm);
    EXPECT_FALSE(IsWindowVisible(runForm)) << "the run form stays hidden";
    Sleep(500);

    PressKey(window, VK_ESCAPE);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(renderer, 2000)) << "the renderer did not end on Escape";
    const DWORD rendererGone = GetTickCount();
    ASSERT_TRUE(m_host.WaitForExit(2000));
    const DWORD after = GetTickCount() - rendererGone;
    EXPECT_LE(after, 700u) << "the host ends within a watch tick of the renderer";
    EXPECT_EQ(0u, m_host.ExitCode());
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Lunaquill_Main"));
    CloseHandle(renderer);
}

TEST_F(HostProcess, NoArgumentsRunsTheShowToo)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr"));
    HANDLE renderer = nullptr;
    HWND window = RendererWindow(&renderer);
    ASSERT_NE(nullptr, window);
    Sleep(500);
    // A tap shorter than a frame, as on a slow machine: press and release reach the renderer in one
    // drain of its queue. The show still ends.
    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(window, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(renderer, 3000)) << "a short Escape tap was lost";
    CloseHandle(renderer);
    ASSERT_TRUE(m_host.WaitForExit(2000));
    EXPECT_EQ(0u, m_host.ExitCode());
}

TEST_F(HostProcess, AnotherLetterEndsSilently)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/a"));
    ASSERT_TRUE(m_host.WaitForExit(3000));
    EXPECT_EQ(0u, m_host.ExitCode());
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "LunaquillVC"));
}

TEST_F(HostProcess, MissingRendererIsSaidInAMessageAndNothingIsWritten)
{
    for (const char* mode : {"/s", "/c"}) {
        ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", mode));
        const std::vector<HWND> boxes = WaitForMessageBoxes(m_host.Id(), 5000);
        ASSERT_EQ(1u, boxes.size()) << mode << ": no message box";
        EXPECT_EQ("Lunaquill", TextOf(boxes[0])) << "the program's title as the caption";
        EXPECT_EQ(kRendererMissing, MessageTextOf(boxes[0])) << mode;
        EXPECT_NE(nullptr, GetDlgItem(boxes[0], IDOK));
        EXPECT_EQ(nullptr, GetDlgItem(boxes[0], IDCANCEL)) << "OK only";
        EXPECT_TRUE(m_host.Running()) << "the program waits for the box";
        PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(m_host.WaitForExit(3000));
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((m_folder + "\\Lunaquill.ini").c_str()));
    }
    // The preview needs no renderer: no message.
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/p 0"));
    ASSERT_TRUE(m_host.WaitForExit(3000));
    EXPECT_TRUE(MessageBoxesOf(m_host.Id()).empty());
}

TEST_F(HostProcess, ASecondHostDuringAShowEndsAtOnce)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    ASSERT_NE(nullptr, RendererWindow(nullptr));
    ASSERT_NE(nullptr, WaitForWindow("Lunaquill_Main", 5000));
    ASSERT_TRUE(m_second.Start(m_folder + "\\Lunaquill.scr", "/s"));
    ASSERT_TRUE(m_second.WaitForExit(3000)) << "the second host kept running";
    EXPECT_EQ(1, RendererWindows()) << "the second host started another renderer";
    EXPECT_TRUE(m_host.Running());
}

TEST_F(HostProcess, ClosingTheRunFormOrAShutdownEndsTheHostAndTheRenderer)
{
    InstallRenderer();
    for (const bool shutdown : {false, true}) {
        ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
        HANDLE renderer = nullptr;
        HWND window = RendererWindow(&renderer);
        ASSERT_NE(nullptr, window);
        HWND runForm = WaitForWindow("Lunaquill_Main", 5000);
        ASSERT_NE(nullptr, runForm);
        // A shutdown that another program cancels ends nothing.
        EXPECT_EQ(TRUE, SendMessageA(runForm, WM_QUERYENDSESSION, 0, 0)) << "the host never holds a shutdown up";
        SendMessageA(runForm, WM_ENDSESSION, FALSE, 0);
        EXPECT_FALSE(m_host.WaitForExit(700)) << "a cancelled shutdown ended the show";

        if (shutdown) {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(runForm, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &result);
        } else {
            PostMessageA(runForm, WM_CLOSE, 0, 0);  // another program closing the hidden window
        }
        ASSERT_TRUE(m_host.WaitForExit(2000)) << "shutdown " << shutdown;
        EXPECT_EQ(0u, m_host.ExitCode()) << "the host ended itself, through its unload";
        EXPECT_TRUE(Ended(renderer)) << "the renderer ended before the host";
        // Closed, the renderer ends by itself; at a shutdown it is ended at once.
        EXPECT_EQ(shutdown ? 1u : 0u, ExitCodeOf(renderer)) << "shutdown " << shutdown;
        CloseHandle(renderer);
    }
}

TEST_F(HostProcess, KillingEitherSide)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    HANDLE renderer = nullptr;
    ASSERT_NE(nullptr, RendererWindow(&renderer));
    m_host.Kill();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(renderer, 2000)) << "the renderer outlived a killed host";
    CloseHandle(renderer);
    ASSERT_TRUE(WaitForNoWindow("LunaquillVC", 3000));

    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    ASSERT_NE(nullptr, RendererWindow(&renderer));
    TerminateProcess(renderer, 1);
    EXPECT_TRUE(m_host.WaitForExit(1500)) << "the host outlived a killed renderer";
    CloseHandle(renderer);
}

TEST_F(HostProcess, ASlowRendererGetsTimeToOpenItsWindowButNotAfterTheEnd)
{
    InstallRenderer("fake_renderer.exe");
    SetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", "2500");
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    EXPECT_FALSE(m_host.WaitForExit(2000)) << "the host gave up on a renderer that was still starting";
    HWND window = RendererWindow(nullptr, 5000);
    ASSERT_NE(nullptr, window);
    Sleep(700);
    EXPECT_TRUE(m_host.Running());
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_host.WaitForExit(2000));

    // Ending is ending: a show ended while its renderer still starts never shows up afterwards (the
    // stand-in opens its window 3 s after its start, unless it has been ended by then).
    SetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", "3000");
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    HWND runForm = WaitForWindow("Lunaquill_Main", 5000);
    ASSERT_NE(nullptr, runForm);
    Pump(1000);
    PostMessageA(runForm, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_host.WaitForExit(1000)) << "the host waited for a renderer that was still starting";
    EXPECT_EQ(nullptr, WaitForWindow("LunaquillVC", 4000)) << "the renderer showed its window after the end";
}

TEST_F(HostProcess, ASecureSaverEndsWhenAnotherWindowTakesTheForeground)
{
    InstallRenderer();
    for (const bool secure : {true, false}) {
        SecureSaverSetting setting(secure ? "1" : "0");
        ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
        HANDLE renderer = nullptr;
        HWND window = RendererWindow(&renderer);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(WaitUntil([window] { return GetForegroundWindow() == window; }, 5000)) << "the show has the keyboard";
        // Moving the mouse never ends it.
        for (int x = 100; x <= 700; x += 100) {
            SetCursorPos(x, 300);
            Sleep(30);
        }
        Sleep(300);
        EXPECT_TRUE(m_host.Running()) << "secure " << secure << ": the mouse ended the show";

        HWND other = AnotherProgramTakesTheForeground();
        ASSERT_NE(nullptr, other);
        const DWORD activated = GetTickCount();
        // This program answers its window's messages meanwhile, as a real one would: the renderer's
        // display change on its way out is sent to every top-level window.
        const auto bothEnded = [&] { return !m_host.Running() && Ended(renderer); };
        if (secure) {
            EXPECT_TRUE(WaitUntil(bothEnded, 1000)) << "the host must end for Windows to lock the session, and the "
                                                      "show must not go on behind the lock";
            std::printf("secure saver: host and renderer ended %lu ms after another window took the foreground\n",
                        static_cast<unsigned long>(GetTickCount() - activated));
            EXPECT_EQ(0u, m_host.ExitCode());
            DestroyWindow(other);
        } else {
            EXPECT_FALSE(WaitUntil(bothEnded, 1500));
            EXPECT_TRUE(m_host.Running()) << "without the secure setting the show goes on";
            EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(renderer, 0));
            DestroyWindow(other);
            PressKey(window, VK_ESCAPE);
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(renderer, 3000));
            EXPECT_TRUE(m_host.WaitForExit(2000));
        }
        CloseHandle(renderer);
    }
}

TEST_F(HostProcess, ARendererThatFailsOrHangsEndsAPlainShowAndASecureOneHoldsTheScreenUntilTheUser)
{
    InstallRenderer("fake_renderer.exe");
    // The session behind the show: a grey window over the whole screen, with the keyboard.
    HWND session = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 768, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(session);
    ASSERT_TRUE(WaitUntil([] { return Screenshot(1024, 768)[1024 * 384 + 512] != 0; }, 3000));
    const struct {
        const char* setting;
        const char* value;
    } renderers[] = {
        {"LQ_FAKE_RENDERER_EXIT", "0"},       // ends at once, as a blocked program would
        {"LQ_FAKE_RENDERER_HANG_MS", "300"},  // its window stops answering: hung in its driver
    };
    for (const auto& r : renderers) {
        SetEnvironmentVariableA(r.setting, r.value);
        for (const bool secure : {true, false}) {
            SecureSaverSetting setting(secure ? "1" : "0");
            ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
            if (!secure) {
                EXPECT_TRUE(m_host.WaitForExit(8000)) << r.setting << ": without the secure setting the host ends";
                EXPECT_TRUE(WaitForNoWindow("LunaquillVC", 1000)) << r.setting;
                continue;
            }
            // Past Windows' grace period: ending now would lock, ending before would not.
            ASSERT_FALSE(m_host.WaitForExit(6000)) << r.setting << ": a saver that guards a lock ended without the user";
            EXPECT_TRUE(WaitForNoWindow("LunaquillVC", 3000)) << r.setting << ": a frozen picture above the covers";
            const std::vector<unsigned> screen = Screenshot(1024, 768);
            EXPECT_EQ(screen.size(), static_cast<std::size_t>(std::count(screen.begin(), screen.end(), 0u)))
                << r.setting << ": the session behind shows through";
            TapKey(VK_SPACE);
            EXPECT_TRUE(m_host.WaitForExit(5000)) << r.setting << ": a key did not end the held screen";
            EXPECT_EQ(0u, m_host.ExitCode());
        }
        SetEnvironmentVariableA(r.setting, nullptr);
    }
    DestroyWindow(session);
}

// Past the grace period the lock comes first: another program with the keyboard ends the host at
// once, without asking the renderer (slow to close, or never) or waiting for it; it ends with the host.
TEST_F(HostProcess, PastTheGracePeriodTheLockComesFirst)
{
    InstallRenderer("fake_renderer.exe");
    SecureSaverSetting setting("1");
    RegistryValue grace(HKEY_LOCAL_MACHINE, kWinlogonKey, "ScreenSaverGracePeriod", "1");
    for (const char* closeMs : {"2000", "never"}) {
        SetEnvironmentVariableA("LQ_FAKE_RENDERER_CLOSE_MS", closeMs);
        ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
        HANDLE renderer = nullptr;
        HWND window = RendererWindow(&renderer, 5000);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
        Pump(1200);  // past the grace period
        HWND other = AnotherProgramTakesTheForeground();
        const DWORD left = GetTickCount();
        EXPECT_TRUE(WaitUntil([&] { return !m_host.Running(); }, 2000)) << closeMs;
        const DWORD took = GetTickCount() - left;
        EXPECT_TRUE(WaitUntil([&] { return Ended(renderer); }, 2000)) << closeMs << ": the renderer outlived the host";
        std::printf("lock, renderer closing in %s ms: host ended %lu ms after another window took the foreground\n",
                    closeMs, static_cast<unsigned long>(took));
        EXPECT_LE(took, 300u) << closeMs;
        EXPECT_EQ(0u, m_host.ExitCode());
        DestroyWindow(other);
        CloseHandle(renderer);
    }
}
