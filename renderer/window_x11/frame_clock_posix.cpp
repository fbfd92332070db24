#include "common/frame_clock.h"

#include <ctime>

namespace {

// The monotonic clock in nanoseconds, through the same arithmetic as the Windows counter.
bool QueryFrequency(std::int64_t* countsPerSecond)
{
    *countsPerSecond = 1000000000;
    return true;
}

bool QueryCounter(std::int64_t* count)
{
    timespec now = {};
    const bool ok = clock_gettime(CLOCK_MONOTONIC, &now) == 0;
    *count = static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
    return ok;
}

std::uint32_t TickCount()
{
    std::int64_t ns = 0;
    QueryCounter(&ns);
    return static_cast<std::uint32_t>(ns / 1000000);
}

} // namespace

long double GetTimeSeconds()
{
    static const ClockSource s_source = {QueryFrequency, QueryCounter, TickCount};
    static FrameClock s_clock(s_source);
    return s_clock.Seconds();
}
