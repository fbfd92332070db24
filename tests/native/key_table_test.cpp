#include "window/key_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

TEST(KeyTable, RecordsDownAndUpAndIgnoresCodesBeyondTheTable)
{
    // The table sits inside a larger block so a stray write past entry 255 would show as a changed
    // canary (and AddressSanitizer would not see it, since the block is ours).
    std::vector<unsigned char> block(2 * kKeyCount, 0xA5);
    unsigned char* keys = block.data();
    std::fill(keys, keys + kKeyCount, 0);

    RecordKey(keys, 'A', true);
    RecordKey(keys, kEscapeKey, true);
    EXPECT_TRUE(IsKeyDown(keys, 'A'));
    EXPECT_TRUE(IsKeyDown(keys, kEscapeKey));
    RecordKey(keys, 'A', false);
    EXPECT_FALSE(IsKeyDown(keys, 'A'));
    EXPECT_TRUE(IsKeyDown(keys, kEscapeKey));
    RecordKey(keys, 255, true);
    EXPECT_TRUE(IsKeyDown(keys, 255));

    for (std::uintptr_t code : {std::uintptr_t(256), std::uintptr_t(300), std::uintptr_t(0x10000),
                                ~std::uintptr_t(0)}) {
        RecordKey(keys, code, true);
        EXPECT_FALSE(IsKeyDown(keys, code)) << code;
    }
    for (int i = kKeyCount; i < 2 * kKeyCount; ++i)
        ASSERT_EQ(0xA5, block[i]) << "byte " << i << " past the table was written";
}
