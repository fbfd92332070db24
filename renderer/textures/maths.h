// Small maths shared by the texture generator and the scene.
#pragma once

// Integer hash noise in (-1, 1]; the same argument always gives the same value.
float IntNoise(int n);

// Inline: the texture operations call these once or more per pixel.
inline int Clamp(int value, int low, int high)
{
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

// Truncating remainder: 0..255 for n >= 0, keeps the sign of n otherwise.
inline int Wrap256(int n)
{
    return n % 256;
}

inline int MinInt(int a, int b)
{
    return a < b ? a : b;
}

inline int MaxInt(int a, int b)
{
    return b < a ? a : b;
}

// rand() remainder 255: 0 to 254, never 255.
unsigned char RandomByte();
// Sine and square root of a float, computed in double and returned unrounded.
long double SinF(float x);
long double SqrtF(float x);
