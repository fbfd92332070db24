// Turns frame-clock readings into scene time: each frame advances the scene by the real time since
// the previous frame (no fixed step, no clamping, no smoothing).
//
// Both the previous reading and the running total are kept in double precision and only the result is
// handed to the scene as a float. Kept as floats, a 1 ms step would count double once the scene
// time passes 16,384 s and be lost entirely from 32,768 s on, and a float-rounded clock reading makes
// the steps jitter by tens of milliseconds on a machine that has been up for days.
#pragma once

class SceneClock {
public:
    SceneClock();

    bool Started() const { return m_started; }
    // Takes the first clock reading; the first Advance then measures from here.
    void Start(long double now);
    // Adds the time since the previous reading and returns the scene time for this frame.
    float Advance(long double now);
    double Time() const { return m_time; }

private:
    bool m_started;
    long double m_last;
    double m_time;
};

constexpr double kTimeScale = 1.0;
