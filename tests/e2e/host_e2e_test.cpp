// Drives the real Lunaquill.scr (and the renderer it starts) from a folder with blanks in its name.
#include "win32_driver.h"

#include <gtest/gtest.h>

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

class HostProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, FindWindowA(nullptr, "LunaquillVC")) << "a renderer is already running";
        ASSERT_EQ(nullptr, FindWindowA(nullptr, "Lunaquill_Main")) << "a host is already running";
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_folder = std::string(temp) + "Lunaquill e2e " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(m_folder.c_str(), nullptr);
        DeleteFileA((m_folder + "\\Lunaquill.ini").c_str());
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\Lunaquill.scr").c_str(), (m_folder + "\\Lunaquill.scr").c_str(), FALSE));
    }
    void TearDown() override
    {
        m_second.Kill();
        m_host.Kill();
        if (HWND w = FindWindowA(nullptr, "LunaquillVC")) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
                TerminateProcess(p, 99);
                WaitForSingleObject(p, 5000);
                CloseHandle(p);
            }
        }
        SetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", nullptr);
        DeleteFileA((m_folder + "\\Lunaquill.scr").c_str());
        DeleteFileA((m_folder + "\\Lunaquill.dll").c_str());
        DeleteFileA((m_folder + "\\Lunaquill.ini").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }

    void InstallRenderer(const char* program = "Lunaquill.dll")
    {
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\" + program).c_str(), (m_folder + "\\Lunaquill.dll").c_str(), FALSE));
    }

    // The renderer's window and an open handle to its process.
    HWND RendererWindow(HANDLE* process, DWORD timeoutMs = 15000)
    {
        HWND window = WaitForWindow("LunaquillVC", timeoutMs);
        if (window && process) {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            *process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        }
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

TEST_F(HostProcess, ClosingTheRunFormEndsTheHostButNotTheRenderer)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    HANDLE renderer = nullptr;
    ASSERT_NE(nullptr, RendererWindow(&renderer));
    HWND runForm = WaitForWindow("Lunaquill_Main", 5000);
    ASSERT_NE(nullptr, runForm);
    PostMessageA(runForm, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_host.WaitForExit(2000));
    EXPECT_EQ(0u, m_host.ExitCode());
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(renderer, 1000)) << "the host never stops the renderer";
    CloseHandle(renderer);
}

TEST_F(HostProcess, KillingEitherSide)
{
    InstallRenderer();
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    HANDLE renderer = nullptr;
    ASSERT_NE(nullptr, RendererWindow(&renderer));
    m_host.Kill();
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(renderer, 1000)) << "a killed host took the renderer with it";
    TerminateProcess(renderer, 1);
    WaitForSingleObject(renderer, 5000);
    CloseHandle(renderer);
    ASSERT_TRUE(WaitForNoWindow("LunaquillVC", 3000));

    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/s"));
    ASSERT_NE(nullptr, RendererWindow(&renderer));
    TerminateProcess(renderer, 1);
    EXPECT_TRUE(m_host.WaitForExit(1500)) << "the host outlived a killed renderer";
    CloseHandle(renderer);
}

TEST_F(HostProcess, ASlowRendererGetsTimeToOpenItsWindow)
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
}
