#include "maths.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

float IntNoise(int n)
{
    // 32-bit two's complement with wrap-around, done in unsigned arithmetic where overflow is defined.
    std::uint32_t u = static_cast<std::uint32_t>(n);
    u = (u << 13) ^ u;
    const std::uint32_t m = (u * (u * u * 15731u + 789221u) + 1376312589u) & 0x7FFFFFFFu;
    return static_cast<float>(1.0 - static_cast<double>(m) / 1073741824.0);
}

unsigned char RandomByte()
{
    return static_cast<unsigned char>(std::rand() % 255);
}

long double SinF(float x)
{
    return std::sin(static_cast<double>(x));
}

long double SqrtF(float x)
{
    return std::sqrt(static_cast<double>(x));
}
