#include "wave_geometry.h"

#include "textures/maths.h"

#include <cmath>

Vector3 EyePosition(float t)
{
    return Vector3(5.0f * std::sin(0.21f * t), 5.0f * std::cos(0.31f * t), 4.0f * std::sin(1.01f * t + 2.0f) + 2.0f);
}

void RibbonPoints(int ribbon, float t, Vector3* points)
{
    const float n = IntNoise(ribbon);
    const float T = 2.0f * t;
    for (int j = 0; j < kRibbonPoints; ++j) {
        const float k = static_cast<float>(j - 50);
        points[j] = Vector3(0.1f * k, 0.2f * std::sin(n * 4.0f * T + 0.2f * k) + 0.05f * std::sin(0.5f * k),
                            0.2f * std::sin(n * 3.0f * T + 0.1f * k));
    }
}

namespace {

bool Finite(const Vector3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The side direction at a point from the view direction V and the ribbon direction D.
Vector3 Side(const Vector3& view, const Vector3& direction, const Vector3& previous)
{
    Vector3 side = Cross(view, direction);
    side.Normalize();
    return Finite(side) ? side : previous;
}

} // namespace

void RibbonStrip(const Vector3* points, int count, float halfWidth, const Vector3& eye, RibbonVertex* out)
{
    const float last = static_cast<float>(count - 1);
    // At point 0 the direction is towards point 1; at every later point it is from the point before.
    // A point's side is therefore the same for both quads that meet there: they share the edge.
    Vector3 side = Side(eye - points[0], points[1] - points[0], Vector3());
    for (int i = 0; i + 1 < count; ++i) {
        const Vector3 next = Side(eye - points[i + 1], points[i + 1] - points[i], side);
        const float t0 = static_cast<float>(i) / last;
        const float t1 = static_cast<float>(i + 1) / last;
        out[0] = {0.0f, t0, points[i] + side * halfWidth};
        out[1] = {1.0f, t0, points[i] - side * halfWidth};
        out[2] = {1.0f, t1, points[i + 1] - next * halfWidth};
        out[3] = {0.0f, t1, points[i + 1] + next * halfWidth};
        out += 4;
        side = next;
    }
}
