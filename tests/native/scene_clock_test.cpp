#include "scene/scene_clock.h"

#include <gtest/gtest.h>

TEST(SceneClock, FirstFrameIsAlmostZeroAndStepsFollowRealTime)
{
    SceneClock clock;
    EXPECT_FALSE(clock.Started());
    const long double origin = 1234.5L;
    clock.Start(origin);
    EXPECT_TRUE(clock.Started());
    // The first frame measures only the time between two successive clock reads.
    EXPECT_FLOAT_EQ(2e-6f, clock.Advance(origin + 2e-6L));

    // Uneven frame times, including a long stall: no minimum, maximum or smoothing.
    const long double steps[] = {0.016L, 0.001L, 0.5L, 3.0L, 0.0005L};
    long double now = origin + 2e-6L;
    double expected = 2e-6;
    for (long double s : steps) {
        now += s;
        expected += static_cast<double>(s);
        EXPECT_NEAR(expected, clock.Advance(now), 1e-6);
    }
}

TEST(SceneClock, StepsStayExactOnAMachineUpForDays)
{
    // Five days of uptime: a float clock reading there has a spacing of 1/32 s, which would make
    // 60 Hz steps come out as 0 or 31 ms. The step must equal the real frame time.
    SceneClock clock;
    long double now = 5.0L * 86400.0L;
    clock.Start(now);
    double previous = 0.0;
    for (int frame = 1; frame <= 600; ++frame) {
        now += 1.0L / 60.0L;
        clock.Advance(now);
        EXPECT_NEAR(1.0 / 60.0, clock.Time() - previous, 1e-9) << "frame " << frame;
        previous = clock.Time();
    }
    EXPECT_NEAR(10.0, clock.Time(), 1e-9);
}

TEST(SceneClock, KeepsAdvancingAfterHoursAtAThousandFramesPerSecond)
{
    // Twelve hours of 1 ms frames. A float accumulator doubles each step past 16,384 s and drops it
    // entirely past 32,768 s; the scene time must track the real time throughout.
    SceneClock clock;
    long double now = 100.0L;
    clock.Start(now);
    const long frames = 12L * 3600L * 1000L;
    float t = 0.0f;
    for (long i = 0; i < frames; ++i) {
        now += 0.001L;
        t = clock.Advance(now);
    }
    EXPECT_NEAR(43200.0, clock.Time(), 1e-3);
    EXPECT_NEAR(43200.0f, t, 0.01f);  // what the scene is handed: the nearest float
}
