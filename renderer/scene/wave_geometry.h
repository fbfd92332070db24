// The geometry of the wave scene, as plain numbers: where the eye is, where each ribbon runs, and
// the strip of quads that turns each ribbon towards the eye. The drawing code only sends these.
#pragma once

#include "vector3.h"

constexpr int kRibbonCount = 3;
constexpr int kRibbonPoints = 100;
constexpr float kRibbonHalfWidth = 0.2f;

// E = (5 sin 0.21t, 5 cos 0.31t, 4 sin(1.01t + 2) + 2): a slow path around the centre.
Vector3 EyePosition(float t);

// Ribbon r = 1..3 at scene time t: points j = 0..99 at x = 0.1 (j - 50), waving in y and z with a
// speed factor IntNoise(r).
void RibbonPoints(int ribbon, float t, Vector3* points);

struct RibbonVertex {
    float s;
    float t;
    Vector3 position;
};

// The strip DrawRibbon sends: count - 1 quads, four vertices each, halfWidth to either side of the
// points along the side direction, the normalised cross product of the view direction and the
// ribbon's direction. Where the eye lies on the ribbon's line that product is zero; the previous side
// direction is kept instead (none before the first point: the edge has no width there), so every
// vertex is finite. Writes 4 * (count - 1) vertices.
void RibbonStrip(const Vector3* points, int count, float halfWidth, const Vector3& eye, RibbonVertex* out);
