#include "scene_clock.h"

SceneClock::SceneClock() : m_started(false), m_last(0), m_time(0)
{
}

void SceneClock::Start(long double now)
{
    m_started = true;
    m_last = now;
}

float SceneClock::Advance(long double now)
{
    const double step = static_cast<double>(now - m_last);
    m_last = now;
    m_time += step * kTimeScale;
    return static_cast<float>(m_time);
}
