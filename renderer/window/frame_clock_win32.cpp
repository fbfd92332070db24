#include "common/frame_clock.h"

#include <windows.h>

namespace {

bool QueryFrequency(std::int64_t* countsPerSecond)
{
    LARGE_INTEGER f;
    if (!QueryPerformanceFrequency(&f))
        return false;
    *countsPerSecond = f.QuadPart;
    return true;
}

bool QueryCounter(std::int64_t* count)
{
    LARGE_INTEGER c;
    const bool ok = QueryPerformanceCounter(&c) != 0;
    *count = c.QuadPart;
    return ok;
}

std::uint32_t TickCount()
{
    return GetTickCount();
}

} // namespace

long double GetTimeSeconds()
{
    static const ClockSource s_source = {QueryFrequency, QueryCounter, TickCount};
    static FrameClock s_clock(s_source);
    return s_clock.Seconds();
}
