#include "window_x11/hack_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
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
    EXPECT_EQ(40000, o.delayMicros) << "25 frames a second";
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

    // What other GL hacks take: -geometry kept for its own window, the rest taken and ignored.
    o = Parse({"-visual", "default", "-install", "-noinstall", "-mono", "-pair", "-geometry", "640x480+10+20"});
    EXPECT_TRUE(o.ok) << o.error;
    EXPECT_EQ("640x480+10+20", o.geometry);
    EXPECT_FALSE(o.help);
    EXPECT_FALSE(Parse({"-visual"}).ok);
    EXPECT_FALSE(Parse({"-geometry"}).ok);
    for (const char* help : {"-help", "--help", "-h"})
        EXPECT_TRUE(Parse({help}).help) << help;
}

TEST(HackOptions, FramesStartDelayApartCountingTheirOwnTime)
{
    EXPECT_EQ(10000, RestAfterFrame(10000, 0));
    EXPECT_EQ(6000, RestAfterFrame(10000, 4000)) << "the frame's own time counts";
    EXPECT_EQ(0, RestAfterFrame(10000, 10000));
    EXPECT_EQ(0, RestAfterFrame(10000, 25000)) << "a slow frame is followed at once";
    EXPECT_EQ(0, RestAfterFrame(0, 5000));
    EXPECT_EQ(0, RestAfterFrame(10000, -1)) << "a clock that went back never makes a long rest";
}

// Every argument the settings description gives XScreenSaver's settings program must be taken.
TEST(HackOptions, EveryArgumentOfTheSettingsDescriptionIsTaken)
{
    std::ifstream in(std::string(LQ_SOURCE_DIR) + "/dist-files/lunaquill.xml");
    ASSERT_TRUE(in) << "no lunaquill.xml";
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex element("<(\\w+)([^>]*)>");
    const std::regex argument("\\b(arg|arg-set|arg-unset)=\"([^\"]*)\"");
    const std::regex value("\\b(low|high|default)=\"([^\"]*)\"");
    int checked = 0;
    for (auto e = std::sregex_iterator(xml.begin(), xml.end(), element); e != std::sregex_iterator(); ++e) {
        const std::string attributes = (*e)[2];
        std::vector<std::string> values;
        for (auto v = std::sregex_iterator(attributes.begin(), attributes.end(), value); v != std::sregex_iterator(); ++v)
            values.push_back((*v)[2]);
        if (values.empty())
            values.push_back("1");
        for (auto a = std::sregex_iterator(attributes.begin(), attributes.end(), argument); a != std::sregex_iterator(); ++a)
            for (const std::string& v : values) {
                std::string line = (*a)[2];
                const std::size_t percent = line.find('%');
                if (percent != std::string::npos)
                    line.replace(percent, 1, v);
                std::istringstream words(line);
                std::vector<std::string> split((std::istream_iterator<std::string>(words)), std::istream_iterator<std::string>());
                std::vector<const char*> args;
                for (const std::string& w : split)
                    args.push_back(w.c_str());
                const HackOptions o = Parse(args);
                EXPECT_TRUE(o.ok) << line << ": " << o.error;
                ++checked;
            }
    }
    EXPECT_GE(checked, 5) << "the command, the delay at its low, high and default, the frame rate";
    EXPECT_NE(std::string::npos, xml.find("gl=\"yes\"")) << "a GL hack says so, to get a double-buffered visual";
}
