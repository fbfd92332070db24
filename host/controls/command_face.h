// The geometry of a Command button's face: the eight border slices taken from a 64x25 skin, the
// two-colour gradient under them, and where the caption sits. Sizes in twips unless named pixels.
#pragma once

#include <cstdint>

constexpr int kSkinCornerPixels = 4;  // 60 twips at 96 DPI

struct Slice {
    std::int16_t left, top, width, height;              // destination on the button, in its pixels
    std::int16_t srcLeft, srcTop, srcWidth, srcHeight;  // source in the skin, in its pixels
};

// The corner's size on a button drawn at this DPI: the skin's 4 pixels, scaled and rounded down.
int CornerPixels(int dpi);

// The eight slices for a button whose client area is W x H pixels, in painting order: top-left
// corner, top edge, top-right corner, right edge, bottom-right corner, bottom edge, bottom-left
// corner, left edge. Worked out in pixels from the client area, so the outline reaches its right and
// bottom edges at every DPI.
void SliceGeometry(int widthPixels, int heightPixels, int cornerPixels, Slice slices[8]);

// One gradient vertex as GradientFill takes it: 16-bit channels with the colour in the high byte.
struct GradientVertex {
    std::int32_t x, y;
    std::uint16_t red, green, blue, alpha;
};

struct GradientRect {
    std::uint32_t upperLeft, lowerRight;
};

constexpr char kWhiteText[] = "&HFFFFFF";
constexpr char kTintText[] = "&HC6C5D7";

// A colour text "&HRRGGBB" (pairs read as red, green, blue) into a vertex's channels.
void ColourFromHexText(const char* text, GradientVertex& vertex);

// The four vertices (only the first two filled) and the rectangle for a face of the given size in
// pixels: white at the top and the tint at the bottom, or the reverse when inverted.
void GradientFor(bool invert, int widthPixels, int heightPixels, GradientVertex vertices[4], GradientRect& rect);

// m_Invert after painting in this state: 1 clears it, 2 sets it, 3 clears it, others keep it.
bool InvertForState(std::uint8_t state, bool current);

// The caption label's top: (H - label height - 20) / 2, in twips.
double CaptionTop(int height, int labelHeight);
