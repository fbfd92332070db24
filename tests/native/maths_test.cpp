#include "textures/maths.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>

TEST(Maths, IntNoiseWrapsAroundIn32Bits)
{
    EXPECT_FLOAT_EQ(static_cast<float>(1.0 - 1376312589.0 / 1073741824.0), IntNoise(0));
    // The scene's three speed factors; any arithmetic that does not wrap at 32 bits misses them.
    EXPECT_NEAR(-0.2263731, IntNoise(1), 1e-7);
    EXPECT_NEAR(0.2936329, IntNoise(2), 1e-7);
    EXPECT_NEAR(-0.2571852, IntNoise(3), 1e-7);
    EXPECT_EQ(IntNoise(12345), IntNoise(12345));
    for (int n : {INT_MIN, -1, 7, 65536, INT_MAX}) {
        const float v = IntNoise(n);
        EXPECT_GT(v, -1.0f) << n;
        EXPECT_LE(v, 1.0f) << n;
    }
}

TEST(Maths, IntegerHelpers)
{
    EXPECT_EQ(1, Wrap256(257));
    EXPECT_EQ(0, Wrap256(512));
    EXPECT_EQ(-1, Wrap256(-1));
    EXPECT_EQ(255, Wrap256(255));
    EXPECT_EQ(255, Clamp(300, 0, 255));
    EXPECT_EQ(0, Clamp(-5, 0, 255));
    EXPECT_EQ(17, Clamp(17, 0, 255));
    // With low above high the low bound is tested first.
    EXPECT_EQ(10, Clamp(5, 10, 0));
    EXPECT_EQ(0, Clamp(50, 10, 0));
    EXPECT_EQ(-3, MinInt(-3, 4));
    EXPECT_EQ(4, MaxInt(-3, 4));
    EXPECT_EQ(2, MinInt(2, 2));
}

TEST(Maths, RandomByteNeverReaches255)
{
    std::srand(1);
    int highest = 0;
    for (int i = 0; i < 100000; ++i)
        highest = MaxInt(highest, RandomByte());
    EXPECT_EQ(254, highest);
}

TEST(Maths, SineAndRootAreNotRoundedToFloat)
{
    EXPECT_EQ(static_cast<long double>(std::sin(1.0)), SinF(1.0f));
    EXPECT_NE(static_cast<long double>(static_cast<float>(std::sin(1.0))), SinF(1.0f));
    EXPECT_EQ(static_cast<long double>(std::sqrt(2.0)), SqrtF(2.0f));
}
