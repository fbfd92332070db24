#include "renderer_fixture.h"

#include "scene/scene.h"
#include "window/main_loop.h"

class MainLoopTest : public RendererFixture {
protected:
    void SetUp() override
    {
        RendererFixture::SetUp();
        try {
            m_window = new GLWindow("LunaquillVC", 1024, 768, 16, false);
        } catch (const char* message) {
            FAIL() << "GLWindow: " << message;
        }
        InitScene();
        DrainMessages();
    }
    void TearDown() override
    {
        TermScene();
        delete m_window;
        DrainMessages();
        RendererFixture::TearDown();
    }
    GLWindow* m_window = nullptr;
};

TEST_F(MainLoopTest, WmCloseEndsTheRunAfterOneLastFrame)
{
    g_sceneTime = -1.0f;  // a drawn frame sets the scene's time, never below zero
    PostMessageA(m_window->hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, RunMainLoop(*m_window, 50));
    EXPECT_FALSE(IsWindow(m_window->hWnd)) << "the default handling destroys the window";
    EXPECT_GE(g_sceneTime, 0.0f) << "the last pass still drew a frame";
}

TEST_F(MainLoopTest, EscapeHeldEndsTheRunWithinOnePass)
{
    PostMessageA(m_window->hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(1, RunMainLoop(*m_window, 50));
    EXPECT_FALSE(KeepRunning());
}

TEST_F(MainLoopTest, EscapePressedAndReleasedInOneDrainEndsTheRun)
{
    // A tap shorter than a frame: both messages are dispatched in the same drain.
    PostMessageA(m_window->hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageA(m_window->hWnd, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    EXPECT_EQ(1, RunMainLoop(*m_window, 5));
    EXPECT_EQ(0, g_keys[VK_ESCAPE]) << "the key table still says the key is up";
    EXPECT_TRUE(KeepRunning()) << "the press was taken by the pass that ended the run";
}

TEST_F(MainLoopTest, MouseAndOtherKeysDoNotEndTheRun)
{
    HWND hWnd = m_window->hWnd;
    PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
    PostMessageA(hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    PostMessageA(hWnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(5, RunMainLoop(*m_window, 5));
    EXPECT_TRUE(IsWindow(hWnd));
}

TEST_F(MainLoopTest, AltF4EndsTheRunThroughTheSystemClose)
{
    // Alt+F4 arrives as a system key; the default handling turns it into SC_CLOSE and then WM_CLOSE.
    PostMessageA(m_window->hWnd, WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    const long passes = RunMainLoop(*m_window, 50);
    EXPECT_GE(passes, 1);
    EXPECT_LE(passes, 2);
    EXPECT_FALSE(IsWindow(m_window->hWnd));
}

TEST_F(MainLoopTest, SceneTimeStartsNearZeroAndFollowsTheClock)
{
    // The scene clock is process-wide and starts on the first frame ever drawn.
    EXPECT_EQ(2, RunMainLoop(*m_window, 2));
    const float early = g_sceneTime;
    EXPECT_LT(early, 0.5f);
    Sleep(200);
    RunMainLoop(*m_window, 1);
    EXPECT_NEAR(early + 0.2f, g_sceneTime, 0.15f);
}
