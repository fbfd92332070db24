// The one picture of the show: three ribbons weaving inside a transparent double cylinder, drawn
// additively on black and sphere-mapped, while the eye swings around the centre.
#pragma once

#include "vector3.h"

// Clears the frame and draws all of it for scene time t (seconds).
void DrawWaveScene(float t);

// A strip of count - 1 quads along the points, 2 * halfWidth wide, turned towards the eye. Sends
// positions and texture coordinates only: the current normal and colour apply.
void DrawRibbon(const Vector3* points, int count, float halfWidth, const Vector3& eye);
