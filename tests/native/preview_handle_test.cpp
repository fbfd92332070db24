#include "preview/preview_handle.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(PreviewHandle, ReadFromTheFourthCharacterOn)
{
    EXPECT_EQ(1234, PreviewHandleOf("/p 1234"));
    EXPECT_EQ(1234, PreviewHandleOf("/p  1234")) << "leading blanks are skipped";
    EXPECT_EQ(1234, PreviewHandleOf("/p:1234")) << "the third character is never looked at";
    EXPECT_EQ(234, PreviewHandleOf("/p1234")) << "without a separator the first digit is lost";
    EXPECT_EQ(1234, PreviewHandleOf("/p &H4D2"));
    EXPECT_EQ(1234, PreviewHandleOf("/P 1234xyz")) << "reading stops at the first character of no number";
    EXPECT_EQ(1234, PreviewHandleOf("/p 1234.5")) << "halves round to even";
    EXPECT_EQ(1236, PreviewHandleOf("/p 1235.5"));
    EXPECT_EQ(0, PreviewHandleOf("/p abc"));
    EXPECT_EQ(0, PreviewHandleOf("/p "));
    EXPECT_EQ(0, PreviewHandleOf("/p"));
    EXPECT_EQ(0, PreviewHandleOf("/p 99999999999")) << "too large for 32 bits";
    EXPECT_EQ(2147483647, PreviewHandleOf("/p 2147483647"));
    // Windows writes handles unsigned: the upper half of 32 bits is handles too.
    EXPECT_EQ(INT32_MIN, PreviewHandleOf("/p 2147483648"));
    EXPECT_EQ(static_cast<std::int32_t>(0xB2D05E00u), PreviewHandleOf("/p 3000000000"));
    EXPECT_EQ(-1, PreviewHandleOf("/p 4294967295"));
    EXPECT_EQ(0, PreviewHandleOf("/p 4294967296")) << "past 32 bits";
    EXPECT_EQ(0, PreviewHandleOf("/p 1e300"));
}

TEST(PreviewHandle, OverlongNumbersAreNoHandleHoweverManyDigits)
{
    // Past 32 bits the value is not a handle; it must never wrap onto a window's low bits.
    EXPECT_EQ(0, PreviewHandleOf("/p &H10000000000010040")) << "17 digits";
    EXPECT_EQ(0, PreviewHandleOf("/p &HFFFFFFFFFFFFFFFF")) << "16 digits";
    EXPECT_EQ(0, PreviewHandleOf("/p &H" + std::string(40, '7')));
    EXPECT_EQ(0, PreviewHandleOf("/p " + std::string(40, '9')));
    EXPECT_EQ(0, PreviewHandleOf("/p &O" + std::string(40, '7')));
    EXPECT_EQ(64, PreviewHandleOf("/p &H" + std::string(38, '0') + "40")) << "leading zeros are no size";
    EXPECT_EQ(-1, PreviewHandleOf("/p &HFFFF")) << "four hex digits are 16 bits";
    EXPECT_EQ(-1, PreviewHandleOf("/p &HFFFFFFFF")) << "eight are 32 bits";
    EXPECT_EQ(-1, PreviewHandleOf("/p &H0FFFFFFFF")) << "nine stay positive: the unsigned 32 bits";
    EXPECT_EQ(0, PreviewHandleOf("/p &H100000000")) << "past 32 bits";
    EXPECT_EQ(-1, PreviewHandleOf("/p &O37777777777"));
    EXPECT_EQ(8, PreviewHandleOf("/p &O10"));
}
