#pragma once

// One pixel of a texture layer.
struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
};

constexpr int kLayerSide = 256;
constexpr int kLayerPixels = kLayerSide * kLayerSide;
constexpr int kLayerCount = 4;
