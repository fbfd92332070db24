// Drives the real Lunaquill.dll as a separate process, as the screen saver host and the user would.
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lqtest;

namespace {

const char kTitle[] = "LunaquillVC";

class RendererProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(nullptr, FindWindowA(nullptr, kTitle)) << "a renderer is already running";
        ASSERT_TRUE(m_renderer.Start(ProgramFolder() + "\\Lunaquill.dll"));
        m_window = WaitForWindow(kTitle, 15000);
        ASSERT_NE(nullptr, m_window) << "no window titled LunaquillVC";
        Sleep(300);  // let it run a few hundred frames
        ASSERT_TRUE(m_renderer.Running());
    }

    // The renderer must be gone within a second, with exit code 0 and no window left behind.
    void ExpectEndsCleanly()
    {
        ASSERT_TRUE(m_renderer.WaitForExit(1000)) << "still running a second later";
        EXPECT_EQ(0u, m_renderer.ExitCode());
        EXPECT_TRUE(WaitForNoWindow(kTitle, 500));
    }

    void EndWithClose() { PostMessageA(m_window, WM_CLOSE, 0, 0); }

    Process m_renderer;
    HWND m_window = nullptr;
};

using FullScreenRenderer = RendererProcess;
using WindowedRenderer = RendererProcess;

} // namespace

TEST_F(FullScreenRenderer, CoversTheScreenAndEscapeEndsIt)
{
    ASSERT_EQ(1024, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1024x768 screen";
    EXPECT_EQ("GLWindow", ClassNameOf(m_window));
    const LONG style = GetWindowLongA(m_window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(IsWindowVisible(m_window));
    EXPECT_EQ("0,0 1024,768", PlaceOf(m_window));

    PressKey(m_window, VK_ESCAPE);
    ExpectEndsCleanly();
}

TEST_F(FullScreenRenderer, DrawsTheMovingScene)
{
    Sleep(2000);
    const std::vector<unsigned> first = Screenshot(1024, 768);
    Sleep(500);
    const std::vector<unsigned> second = Screenshot(1024, 768);

    // Not black: the cylinder covers a good part of the screen, in many colours, warm and cool.
    long lit = 0, changed = 0, reddish = 0, bluish = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const unsigned p = first[i];
        const int r = p >> 16, g = (p >> 8) & 255, b = p & 255;
        if (r + g + b > 60)
            ++lit;
        if (r > 120 && r > b + 40)
            ++reddish;
        if (b > 120 && b > r + 40)
            ++bluish;
        if (p != second[i])
            ++changed;
    }
    const long total = static_cast<long>(first.size());
    EXPECT_GT(lit, total / 20) << "the screen is (almost) black";
    EXPECT_GT(reddish, total / 500) << "no warm colours from the textures";
    EXPECT_GT(bluish, total / 500) << "no cool colours from the textures";
    EXPECT_GT(changed, total / 50) << "the picture did not change in half a second";
    EndWithClose();
    ExpectEndsCleanly();
}

TEST_F(FullScreenRenderer, WmCloseFromAnotherProcessEndsIt)
{
    EndWithClose();
    ExpectEndsCleanly();
}

TEST_F(FullScreenRenderer, AltF4EndsIt)
{
    PressKeyChord(m_window, VK_MENU, VK_F4);
    ExpectEndsCleanly();
}

TEST_F(FullScreenRenderer, MouseAndOtherKeysDoNotEndIt)
{
    ClickAt(500, 400);
    ClickAt(20, 700, true);
    for (int i = 0; i < 10; ++i)
        SetCursorPos(100 + 50 * i, 100 + 30 * i);
    PressKey(m_window, VK_SPACE);
    PressKey(m_window, 'A');
    EXPECT_FALSE(m_renderer.WaitForExit(1000)) << "the show ended without Escape or a close";
    EndWithClose();
    ExpectEndsCleanly();
}

TEST_F(FullScreenRenderer, ScreenSaverAndMonitorPowerCommandsAreRefused)
{
    DWORD_PTR result = 1;
    ASSERT_TRUE(SendMessageTimeoutA(m_window, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG, 2000,
                                    &result));
    EXPECT_EQ(0u, result);
    result = 1;
    ASSERT_TRUE(SendMessageTimeoutA(m_window, WM_SYSCOMMAND, SC_MONITORPOWER, 2, SMTO_ABORTIFHUNG,
                                    2000, &result));
    EXPECT_EQ(0u, result);
    EXPECT_FALSE(m_renderer.WaitForExit(300));
    EndWithClose();
    ExpectEndsCleanly();
}

TEST_F(WindowedRenderer, RefusedModeGivesACentredWindowThatEscapeEnds)
{
    ASSERT_EQ(1280, GetSystemMetrics(SM_CXSCREEN)) << "run this test on a 1280x1024 screen";
    const LONG style = GetWindowLongA(m_window, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION), style & WS_CAPTION);
    EXPECT_FALSE(style & WS_POPUP);
    EXPECT_EQ("128,128 1152,896", PlaceOf(m_window));

    PressKey(m_window, VK_ESCAPE);
    ExpectEndsCleanly();
}

// A renderer the host could not take into its job (Windows 7, the host inside another job) is told the
// host's process, and ends with it.
TEST(FullScreenRendererTiedToAHost, EndsWithThatProcess)
{
    SetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", "60000");  // stands in for a host, windowless
    Process host;
    ASSERT_TRUE(host.Start(ProgramFolder() + "\\fake_renderer.exe"));
    SetEnvironmentVariableA("LQ_FAKE_RENDERER_DELAY_MS", nullptr);
    Process renderer;
    ASSERT_TRUE(renderer.Start(ProgramFolder() + "\\Lunaquill.dll", "/host:" + std::to_string(host.Id())));
    ASSERT_NE(nullptr, WaitForWindow(kTitle, 15000));
    host.Kill();
    EXPECT_TRUE(renderer.WaitForExit(2000)) << "the renderer outlived its host";
    EXPECT_TRUE(WaitForNoWindow(kTitle, 500));
}
