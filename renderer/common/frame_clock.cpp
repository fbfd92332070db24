#include "frame_clock.h"

FrameClock::FrameClock(const ClockSource& source)
    : m_source(source), m_initialised(false), m_highResolution(false), m_frequency(0)
{
}

long double FrameClock::Seconds()
{
    if (!m_initialised) {
        m_initialised = true;
        m_highResolution = m_source.queryFrequency(&m_frequency);
        if (!m_highResolution)
            m_frequency = 1000;
    }
    std::int64_t count = 0;
    if (m_highResolution)
        m_source.queryCounter(&count);
    else
        count = static_cast<std::int64_t>(m_source.tickCount());
    return static_cast<long double>(count) / static_cast<long double>(m_frequency);
}
