// Where the show goes on each monitor when one window covers them all: every monitor gets the whole
// show, framed for its own shape.
#pragma once

#include <vector>

// A rectangle in screen pixels (right and bottom exclusive), as the platform reports monitors.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A GL viewport in the window: x and y from the window's bottom-left corner (GL counts upwards).
struct MonitorView {
    int x;
    int y;
    int width;
    int height;
};

// One view per monitor, in the monitors' order: the part of the window that monitor shows. A monitor
// the window does not reach (or an empty one) gets no view.
std::vector<MonitorView> MonitorViews(const ScreenRect& window, const std::vector<ScreenRect>& monitors);

// The smallest rectangle holding every monitor (the virtual screen); empty (all 0) for none.
ScreenRect BoundsOf(const std::vector<ScreenRect>& monitors);
