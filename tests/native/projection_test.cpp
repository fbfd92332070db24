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
