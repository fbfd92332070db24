// Lunaquill.scr /p <hwnd> with a preview area made by this test, as the display settings would.
#include "win32_driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace lqtest;

namespace {

struct ChildOf {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindChildOfProcess(HWND child, LPARAM data)
{
    ChildOf* c = reinterpret_cast<ChildOf*>(data);
    if (OwnerOf(child) == c->process) {
        c->found = child;
        return FALSE;
    }
    return TRUE;
}

class PreviewTest : public ::testing::Test {
public:
    void SetUp() override
    {
        m_folder = FolderWithPrograms("Lunaquill preview");
        ASSERT_FALSE(m_folder.empty());
        m_ini = m_folder + "\\Lunaquill.ini";
        WriteBytes(m_ini, "[Section]\r\nkept=as it is\r\n");
        m_area = PlainWindow("LqDisplaySettingsPreview", RECT{100, 100, 252, 212});
        ASSERT_NE(nullptr, m_area);
    }
    void TearDown() override
    {
        m_host.Kill();
        m_show.Kill();
        if (IsWindow(m_area))
            DestroyWindow(m_area);
        RemoveFolder(m_folder);
    }

    HWND HostChild()
    {
        ChildOf c = {m_host.Id(), nullptr};
        EnumChildWindows(m_area, FindChildOfProcess, reinterpret_cast<LPARAM>(&c));
        return c.found;
    }

    std::string m_folder, m_ini;
    HWND m_area = nullptr;
    Process m_host, m_show;
};

} // namespace

TEST_F(PreviewTest, ShowsInsideTheAreaAndEndsWithIt)
{
    const std::string iniBefore = ReadBytes(m_ini);
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/p " + std::to_string(reinterpret_cast<INT_PTR>(m_area))));
    ASSERT_TRUE(WaitUntil([this] { return HostChild() != nullptr; }, 10000)) << "no child of the host in the area";
    HWND child = HostChild();
    WaitUntil([] { return false; }, 300);
    EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(child));
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(100, r.left);
    EXPECT_EQ(100, r.top);
    EXPECT_EQ(152, r.right - r.left);
    EXPECT_EQ(112, r.bottom - r.top);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "LunaquillVC")) << "the preview never starts the renderer";

    DestroyWindow(m_area);  // the user picks another screen saver
    const DWORD gone = GetTickCount();
    ASSERT_TRUE(m_host.WaitForExit(3000)) << "the preview outlived its area";
    EXPECT_LE(GetTickCount() - gone, 1200u);
    EXPECT_EQ(iniBefore, ReadBytes(m_ini)) << "the settings file is not touched";
}

TEST_F(PreviewTest, NoWindowOrABusyHostEndsAtOnce)
{
    for (const char* args : {"/p 0", "/p 12345", "/p abc"}) {
        ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", args));
        EXPECT_TRUE(m_host.WaitForExit(3000)) << args << ": still running without a preview area";
    }
    // A number past 32 bits whose low bits are this area's handle is no handle at all.
    char overlong[48] = {};
    std::snprintf(overlong, sizeof(overlong), "/p &H1%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(m_area)));
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", overlong));
    EXPECT_TRUE(WaitUntil([this] { return !m_host.Running(); }, 3000)) << overlong;
    EXPECT_EQ(nullptr, HostChild()) << overlong << " attached the preview to this window";
    // During a show.
    ASSERT_TRUE(m_show.Start(m_folder + "\\Lunaquill.scr", "/s"));
    ASSERT_NE(nullptr, WaitForWindow("LunaquillVC", 15000));
    ASSERT_NE(nullptr, WaitForWindow("Lunaquill_Main", 5000));
    ASSERT_TRUE(m_host.Start(m_folder + "\\Lunaquill.scr", "/p " + std::to_string(reinterpret_cast<INT_PTR>(m_area))));
    EXPECT_TRUE(m_host.WaitForExit(3000));
    EXPECT_EQ(nullptr, HostChild());
    PostMessageA(FindWindowA(nullptr, "LunaquillVC"), WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_show.WaitForExit(3000));
}
