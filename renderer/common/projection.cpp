#include "projection.h"

Projection ProjectionFor(int width, int height)
{
    if (height == 0)
        height = 1;
    Projection p;
    p.viewportWidth = width;
    p.viewportHeight = height;
    p.fovY = 60.0;
    p.aspect = static_cast<double>(width) / static_cast<double>(height);
    // The near plane is a float constant widened to double (0.10000000149011612), as it always was.
    p.zNear = static_cast<double>(0.1f);
    p.zFar = 100.0;
    return p;
}
