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

// One window over the virtual screen, one view per monitor: each the monitor's part of the window in
// GL's bottom-up coordinates, so each monitor shows the whole show framed for its own shape.
TEST(MonitorViews, EveryMonitorItsOwnPartOfTheWindow)
{
    struct Row {
        const char* what;
        std::vector<ScreenRect> monitors;
        std::vector<MonitorView> views;
    };
    const Row rows[] = {
        {"one monitor", {{0, 0, 1280, 1024}}, {{0, 0, 1280, 1024}}},
        {"a 4:3 primary and a taller 5:4 monitor to its right: the primary's bottom is 256 up",
         {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}},
         {{0, 256, 1024, 768}, {1024, 0, 1280, 1024}}},
        {"a monitor left of and above the primary (negative coordinates)",
         {{0, 0, 1920, 1080}, {-1280, -200, 0, 824}},
         {{1280, 0, 1920, 1080}, {0, 256, 1280, 1024}}},
        {"a monitor stacked below", {{0, 0, 1920, 1080}, {0, 1080, 1920, 2160}},
         {{0, 1080, 1920, 1080}, {0, 0, 1920, 1080}}},
        {"an empty monitor gets no view", {{0, 0, 800, 600}, {800, 0, 800, 600}}, {{0, 0, 800, 600}}},
    };
    for (const Row& row : rows) {
        const std::vector<MonitorView> views = MonitorViews(BoundsOf(row.monitors), row.monitors);
        ASSERT_EQ(row.views.size(), views.size()) << row.what;
        for (std::size_t i = 0; i < views.size(); ++i) {
            EXPECT_EQ(row.views[i].x, views[i].x) << row.what << ", view " << i;
            EXPECT_EQ(row.views[i].y, views[i].y) << row.what << ", view " << i;
            EXPECT_EQ(row.views[i].width, views[i].width) << row.what << ", view " << i;
            EXPECT_EQ(row.views[i].height, views[i].height) << row.what << ", view " << i;
        }
    }
    // A window that reaches only part of a monitor shows that part; one outside the window none.
    const std::vector<MonitorView> clipped = MonitorViews({0, 0, 1000, 700}, {{500, 100, 1500, 900}, {2000, 0, 2500, 500}});
    ASSERT_EQ(1u, clipped.size());
    EXPECT_EQ(500, clipped[0].x);
    EXPECT_EQ(0, clipped[0].y);
    EXPECT_EQ(500, clipped[0].width);
    EXPECT_EQ(600, clipped[0].height);
    const ScreenRect none = BoundsOf({});
    EXPECT_EQ(0, none.right - none.left);
}
