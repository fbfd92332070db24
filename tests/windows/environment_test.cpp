#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

// Every Windows-side test assumes a Japanese system: catch a missing locale here, by name.
TEST(Environment, JapaneseCodePage)
{
    EXPECT_EQ(932u, GetACP()) << "Wine is not running with the ja_JP.UTF-8 locale";
}

// Wine ends a program at its start now and then when Linux lays out its addresses at random (the
// sessions in scripts/ turn that off): catch a session that no longer does, by name.
TEST(Environment, AddressesAreNotRandomised)
{
    HANDLE file = CreateFileA("Z:\\proc\\self\\personality", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << "no /proc/self/personality to read";
    char text[32] = {};
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    const unsigned long personality = strtoul(text, nullptr, 16);
    EXPECT_NE(0ul, personality & 0x0040000ul) << "personality " << text << ": run the tests through scripts/with-xvfb";
}
