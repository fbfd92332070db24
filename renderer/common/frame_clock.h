// The frame clock: seconds from an arbitrary origin, in extended precision. Only differences between
// two readings mean anything.
#pragma once

#include <cstdint>

// Where the clock gets its counts from: the high-resolution counter when the system has one, else the
// millisecond tick count. Kept as plain function pointers so the arithmetic can be checked without
// the platform.
struct ClockSource {
    bool (*queryFrequency)(std::int64_t* countsPerSecond);
    bool (*queryCounter)(std::int64_t* count);
    std::uint32_t (*tickCount)();
};

class FrameClock {
public:
    explicit FrameClock(const ClockSource& source);
    long double Seconds();

private:
    ClockSource m_source;
    bool m_initialised;
    bool m_highResolution;
    std::int64_t m_frequency;
};

// The show's clock. Each shell gives it its own source: QueryPerformanceCounter / GetTickCount on
// Windows, the monotonic clock on Linux.
long double GetTimeSeconds();
