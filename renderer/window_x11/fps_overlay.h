// The frame rate in the lower left corner, as XScreenSaver's GL hacks show it with -fps.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

class FpsOverlay {
public:
    FpsOverlay(Display* display);  // with the GL context current
    ~FpsOverlay();

    // Counts a frame at `now` (seconds) and draws the last whole second's rate over it.
    void Draw(long double now, int width, int height);

private:
    FpsOverlay(const FpsOverlay&);
    FpsOverlay& operator=(const FpsOverlay&);

    Display* m_display;
    XFontStruct* m_font;
    GLuint m_lists;
    long double m_since;
    int m_frames;
    double m_rate;
};
