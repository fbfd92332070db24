#include "command_face.h"

#include <cmath>

int CornerPixels(int dpi)
{
    return kSkinCornerPixels * dpi / 96;
}

void SliceGeometry(int w, int h, int c, Slice s[8])
{
    const int k = kSkinCornerPixels, edge = 64 - 2 * k, side = 25 - 2 * k;  // the skin is 64 x 25
    auto set = [](Slice& slice, int l, int t, int dw, int dh, int sl, int st, int sw, int sh) {
        slice = {static_cast<std::int16_t>(l),  static_cast<std::int16_t>(t),  static_cast<std::int16_t>(dw),
                 static_cast<std::int16_t>(dh), static_cast<std::int16_t>(sl), static_cast<std::int16_t>(st),
                 static_cast<std::int16_t>(sw), static_cast<std::int16_t>(sh)};
    };
    set(s[0], 0, 0, c, c, 0, 0, k, k);
    set(s[1], c, 0, w - 2 * c, c, k, 0, edge, k);
    set(s[2], w - c, 0, c, c, k + edge, 0, k, k);
    set(s[3], w - c, c, c, h - 2 * c, k + edge, k, k, side);
    set(s[4], w - c, h - c, c, c, k + edge, k + side, k, k);
    set(s[5], c, h - c, w - 2 * c, c, k, k + side, edge, k);
    set(s[6], 0, h - c, c, c, 0, k + side, k, k);
    set(s[7], 0, c, c, h - 2 * c, 0, k, k, side);
}

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

std::uint16_t Channel(const char* pair)
{
    return static_cast<std::uint16_t>((HexDigit(pair[0]) * 16 + HexDigit(pair[1])) << 8);
}

} // namespace

void ColourFromHexText(const char* text, GradientVertex& v)
{
    const char* digits = text + 2;  // after "&H"
    v.red = Channel(digits);
    v.green = Channel(digits + 2);
    v.blue = Channel(digits + 4);
    v.alpha = 0;
}

void GradientFor(bool invert, int widthPixels, int heightPixels, GradientVertex v[4], GradientRect& rect)
{
    for (int i = 0; i < 4; ++i)
        v[i] = GradientVertex{0, 0, 0, 0, 0, 0};
    ColourFromHexText(invert ? kTintText : kWhiteText, v[0]);
    ColourFromHexText(invert ? kWhiteText : kTintText, v[1]);
    v[0].x = 0;
    v[0].y = 0;
    v[1].x = widthPixels - 1;
    v[1].y = heightPixels - 1;
    rect.upperLeft = 1;
    rect.lowerRight = 0;
}

bool InvertForState(std::uint8_t state, bool current)
{
    if (state == 1 || state == 3)
        return false;
    if (state == 2)
        return true;
    return current;
}

double CaptionTop(int height, int labelHeight)
{
    return (height - labelHeight - 20) / 2.0;
}
