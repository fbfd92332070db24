#include "common/frame_clock.h"

#include <gtest/gtest.h>

namespace {

// A fake counter the tests can set; counts how often the frequency is asked for.
struct Fake {
    static bool hasCounter;
    static std::int64_t frequency, counter;
    static std::uint32_t ticks;
    static int frequencyQueries;

    static bool QueryFrequency(std::int64_t* f)
    {
        ++frequencyQueries;
        if (!hasCounter)
            return false;
        *f = frequency;
        return true;
    }
    static bool QueryCounter(std::int64_t* c)
    {
        *c = counter;
        return true;
    }
    static std::uint32_t TickCount() { return ticks; }
};
bool Fake::hasCounter;
std::int64_t Fake::frequency, Fake::counter;
std::uint32_t Fake::ticks;
int Fake::frequencyQueries;

const ClockSource kFakeSource = {Fake::QueryFrequency, Fake::QueryCounter, Fake::TickCount};

} // namespace

TEST(FrameClock, HighResolutionCounterInSecondsWithFrequencyAskedOnce)
{
    Fake::hasCounter = true;
    Fake::frequency = 10000000;
    Fake::counter = 123456789;
    Fake::frequencyQueries = 0;
    FrameClock clock(kFakeSource);
    EXPECT_EQ(12.3456789L, clock.Seconds());
    Fake::counter = 123456789 + 166667;  // one 60 Hz frame later
    EXPECT_NEAR(0.0166667, static_cast<double>(clock.Seconds() - 12.3456789L), 1e-12);
    EXPECT_EQ(1, Fake::frequencyQueries);

    // Days of uptime on a 10 MHz counter: a 1 ms difference still comes out exact to the count.
    Fake::counter = 10000000LL * 86400 * 5;
    const long double before = clock.Seconds();
    Fake::counter += 10000;
    EXPECT_NEAR(0.001, static_cast<double>(clock.Seconds() - before), 1e-12);
}

TEST(FrameClock, WithoutCounterReturnsWholeMilliseconds)
{
    Fake::hasCounter = false;
    Fake::ticks = 1500;
    Fake::frequencyQueries = 0;
    FrameClock clock(kFakeSource);
    EXPECT_EQ(1.5L, clock.Seconds());
    Fake::ticks = 4294967295u;  // the tick count is unsigned: no negative times before it wraps
    EXPECT_EQ(4294967.295L, clock.Seconds());
    EXPECT_EQ(1, Fake::frequencyQueries);
}
