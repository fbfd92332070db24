#include "common/key_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(KeyTable, RecordsDownAndUpAndIgnoresCodesBeyondTheTable)
{
    // Both tables sit inside larger blocks so a stray write past entry 255 would show as a changed
    // canary (and AddressSanitizer would not see it, since the blocks are ours).
    std::vector<unsigned char> block(2 * kKeyCount, 0xA5), pressBlock(2 * kKeyCount, 0xA5);
    unsigned char* keys = block.data();
    unsigned char* presses = pressBlock.data();
    std::fill(keys, keys + kKeyCount, 0);
    std::fill(presses, presses + kKeyCount, 0);

    RecordKey(keys, presses, 'A', true);
    RecordKey(keys, presses, kEscapeKey, true);
    EXPECT_TRUE(IsKeyDown(keys, 'A'));
    EXPECT_TRUE(IsKeyDown(keys, kEscapeKey));
    RecordKey(keys, presses, 'A', false);
    EXPECT_FALSE(IsKeyDown(keys, 'A'));
    EXPECT_TRUE(IsKeyDown(keys, kEscapeKey));
    RecordKey(keys, presses, 255, true);
    EXPECT_TRUE(IsKeyDown(keys, 255));

    for (std::uintptr_t code : {std::uintptr_t(256), std::uintptr_t(300), std::uintptr_t(0x10000),
                                ~std::uintptr_t(0)}) {
        RecordKey(keys, presses, code, true);
        EXPECT_FALSE(IsKeyDown(keys, code)) << code;
        EXPECT_FALSE(TakeKeyPress(presses, code)) << code;
    }
    for (int i = kKeyCount; i < 2 * kKeyCount; ++i) {
        ASSERT_EQ(0xA5, block[i]) << "byte " << i << " past the key table was written";
        ASSERT_EQ(0xA5, pressBlock[i]) << "byte " << i << " past the press table was written";
    }
}

TEST(KeyTable, APressIsRememberedUntilTakenEvenWhenReleasedAtOnce)
{
    unsigned char keys[kKeyCount] = {}, presses[kKeyCount] = {};
    // A tap within one frame: down and up before anyone looks.
    RecordKey(keys, presses, kEscapeKey, true);
    RecordKey(keys, presses, kEscapeKey, false);
    EXPECT_FALSE(IsKeyDown(keys, kEscapeKey)) << "the state table still means 'down now'";
    EXPECT_TRUE(TakeKeyPress(presses, kEscapeKey));
    EXPECT_FALSE(TakeKeyPress(presses, kEscapeKey)) << "taken once";
    // A release alone is no press; a held key is a press once, then only 'down'.
    RecordKey(keys, presses, 'B', false);
    EXPECT_FALSE(TakeKeyPress(presses, 'B'));
    RecordKey(keys, presses, 'B', true);
    EXPECT_TRUE(TakeKeyPress(presses, 'B'));
    EXPECT_FALSE(TakeKeyPress(presses, 'B'));
    EXPECT_TRUE(IsKeyDown(keys, 'B'));
    EXPECT_FALSE(TakeKeyPress(presses, kEscapeKey)) << "other keys' presses are their own";
}
