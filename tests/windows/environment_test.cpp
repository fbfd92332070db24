#include <gtest/gtest.h>
#include <windows.h>

// Every Windows-side test assumes a Japanese system: catch a missing locale here, by name.
TEST(Environment, JapaneseCodePage)
{
    EXPECT_EQ(932u, GetACP()) << "Wine is not running with the ja_JP.UTF-8 locale";
}
