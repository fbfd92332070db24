#include "command_face.h"

#include <cmath>

void SliceGeometry(int w, int h, Slice s[8])
{
    const int c = kCornerTwips;
    auto set = [](Slice& slice, int l, int t, int dw, int dh, int sl, int st, int sw, int sh) {
        slice = {static_cast<std::int16_t>(l),  static_cast<std::int16_t>(t),  static_cast<std::int16_t>(dw),
                 static_cast<std::int16_t>(dh), static_cast<std::int16_t>(sl), static_cast<std::int16_t>(st),
                 static_cast<std::int16_t>(sw), static_cast<std::int16_t>(sh)};
    };
    // A destination size of "source" is the source size, unstretched.
    set(s[0], 1, 1, c, c, 0, 0, c, c);
    set(s[1], c, 1, w - 2 * c, c, c, 1, 840, c);
    set(s[2], w - c, 1, c, c, 900, 1, c, c);
    set(s[3], w - c, c, c, h - 2 * c, 900, c, c, 255);
    set(s[4], w - c, h - c, c, c, 900, 315, c, c);
    set(s[5], c, h - c, w - 2 * c, c, c, 315, 840, c);
    set(s[6], 1, h - c, c, c, 0, 315, c, c);
    set(s[7], 1, c, c, h - 2 * c, 1, c, c, 255);
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
