// Viewport and perspective for a window of a given client size.
#pragma once

struct Projection {
    int viewportWidth;
    int viewportHeight;
    double fovY;    // degrees
    double aspect;  // width / height
    double zNear;
    double zFar;
};

// A height of 0 (a minimised window) is treated as 1, so the aspect ratio stays finite.
Projection ProjectionFor(int width, int height);
