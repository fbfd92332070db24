#include "common/projection.h"

#include <gtest/gtest.h>

TEST(Projection, FullScreenAndZeroHeight)
{
    const Projection full = ProjectionFor(1024, 768);
    EXPECT_EQ(1024, full.viewportWidth);
    EXPECT_EQ(768, full.viewportHeight);
    EXPECT_DOUBLE_EQ(1024.0 / 768.0, full.aspect);
    EXPECT_DOUBLE_EQ(60.0, full.fovY);
    EXPECT_EQ(0.10000000149011612, full.zNear);
    EXPECT_DOUBLE_EQ(100.0, full.zFar);

    // A minimised window reports height 0: viewport of height 1, aspect width / 1, never infinite.
    const Projection flat = ProjectionFor(640, 0);
    EXPECT_EQ(640, flat.viewportWidth);
    EXPECT_EQ(1, flat.viewportHeight);
    EXPECT_DOUBLE_EQ(640.0, flat.aspect);
}

#include "common/monitor_views.h"

#include <string>

namespace {

std::string Text(const std::vector<MonitorView>& views)
{
    std::string text;
    for (const MonitorView& v : views)
        text += std::to_string(v.x) + "," + std::to_string(v.y) + " " + std::to_string(v.width) + "x" +
                std::to_string(v.height) + "; ";
    return text;
}

} // namespace

// One window over the virtual screen, one view per monitor: each the monitor's part of the window in
// GL's bottom-up coordinates, so each monitor shows the whole show framed for its own shape.
TEST(MonitorViews, EveryMonitorItsOwnPartOfTheWindow)
{
    const ScreenRect none = {0, 0, 0, 0};  // the window over all the monitors
    const struct {
        const char* what;
        std::vector<ScreenRect> monitors;
        ScreenRect window;
        const char* views;
    } rows[] = {
        {"one monitor", {{0, 0, 1280, 1024}}, none, "0,0 1280x1024; "},
        {"a 4:3 primary and a taller 5:4 monitor right of it: the primary's bottom is 256 up",
         {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}}, none, "0,256 1024x768; 1024,0 1280x1024; "},
        {"a monitor left of and above the primary", {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}}, none,
         "1280,0 1920x1080; 0,256 1280x1024; "},
        {"a monitor below", {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}}, none, "0,1080 1920x1080; 0,0 1920x1080; "},
        {"an empty monitor", {{0, 0, 800, 600}, {800, 0, 800, 600}}, none, "0,0 800x600; "},
        {"a window over part of one monitor and none of another", {{500, 100, 1500, 900}, {2000, 0, 2500, 500}},
         {0, 0, 1000, 700}, "500,0 500x600; "},
    };
    for (const auto& row : rows) {
        const ScreenRect window = row.window.right ? row.window : BoundsOf(row.monitors);
        EXPECT_EQ(row.views, Text(MonitorViews(window, row.monitors))) << row.what;
    }
    EXPECT_EQ(0, BoundsOf({}).right);
}
