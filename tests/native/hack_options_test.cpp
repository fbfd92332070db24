#include "window_x11/hack_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HackOptions Parse(std::vector<const char*> args, const char* environment = nullptr)
{
    return ParseHackOptions(static_cast<int>(args.size()), args.data(), environment);
}

} // namespace

TEST(HackOptions, WhereToDrawHowOftenAndWhatIsRefused)
{
    HackOptions o = Parse({});
    EXPECT_TRUE(o.ok);
    EXPECT_EQ(HackOptions::Target::OwnWindow, o.target) << "by hand: a window of its own";
    EXPECT_EQ(10000, o.delayMicros);
    EXPECT_FALSE(o.fps);

    o = Parse({}, "0x1200007");
    EXPECT_EQ(HackOptions::Target::WindowId, o.target) << "the daemon's window from the environment";
    EXPECT_EQ(0x1200007ul, o.windowId);
    o = Parse({"--root"}, "4194311");
    EXPECT_EQ(HackOptions::Target::WindowId, o.target) << "under the daemon the root is its window";
    EXPECT_EQ(4194311ul, o.windowId);
    o = Parse({"-root"});
    EXPECT_EQ(HackOptions::Target::Root, o.target);
    o = Parse({"-window"}, "0x1200007");
    EXPECT_EQ(HackOptions::Target::OwnWindow, o.target);
    o = Parse({"-window-id", "0x2a", "-delay", "0", "-fps", "-display", ":3"}, "0x1200007");
    EXPECT_EQ(HackOptions::Target::WindowId, o.target);
    EXPECT_EQ(42ul, o.windowId);
    EXPECT_EQ(0, o.delayMicros);
    EXPECT_TRUE(o.fps);
    EXPECT_EQ(":3", o.display);

    for (const std::vector<const char*>& bad :
         {std::vector<const char*>{"-bogus"}, {"-delay"}, {"-delay", "-5"}, {"-delay", "1e3"}, {"-window-id"},
          {"-window-id", "0"}, {"-window-id", "12x"}, {"-display"}, {"root"}}) {
        o = Parse(bad);
        EXPECT_FALSE(o.ok) << bad[0] << (bad.size() > 1 ? bad[1] : "");
        EXPECT_FALSE(o.error.empty());
    }
    EXPECT_FALSE(Parse({}, "not a window").ok);
}
