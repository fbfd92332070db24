// The CPU side of one frame of the wave scene: the eye, the three ribbons' points and their strips,
// everything the drawing code sends except the OpenGL calls themselves.
#include "scene/wave_geometry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    Vector3 points[kRibbonPoints];
    RibbonVertex strip[4 * (kRibbonPoints - 1)];
    float sink = 0.0f;
    std::vector<double> perFrame;
    float t = 0.0f;
    for (int round = 0; round < 21; ++round) {
        const int frames = 2000;
        const auto start = std::chrono::steady_clock::now();
        for (int f = 0; f < frames; ++f, t += 0.001f) {
            const Vector3 eye = EyePosition(t);
            for (int r = 1; r <= kRibbonCount; ++r) {
                RibbonPoints(r, t, points);
                RibbonStrip(points, kRibbonPoints, kRibbonHalfWidth, eye, strip);
                sink += strip[100].position.y;
            }
        }
        perFrame.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
                           frames);
    }
    std::sort(perFrame.begin(), perFrame.end());
    std::printf("scene geometry %.2f us per frame (median of 21 rounds of 2000 frames; 3 x 99 quads)%s\n",
                perFrame[perFrame.size() / 2], sink == 12345.0f ? " " : "");
    return 0;
}
