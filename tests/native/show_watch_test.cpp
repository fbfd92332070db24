#include "shared/input_watch.h"
#include "show/secure_setting.h"
#include "show/show_watch.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using R = RendererState;
using F = Foreground;
using V = ShowVerdict;

// One tick of the watch: what the host sees, and what it must do.
struct Tick {
    unsigned ms;
    bool window;
    R renderer;
    F foreground;
    V verdict;
};

struct Story {
    const char* name;
    bool guarding;
    std::vector<Tick> ticks;
};

// Each story starts at 1000 ms, with Windows' 5 s grace period, 10 s to open a window and 3 s to take
// the foreground.
const std::vector<Story> kStories = {
    {"unguarded: the show runs until the renderer's window goes",
     false,
     {{1500, false, R::Running, F::Other, V::Running},
      {2000, true, R::Running, F::Other, V::Running},
      {60000, true, R::Running, F::Other, V::Running},
      {60500, false, R::Running, F::Other, V::Over}}},
    {"unguarded: a renderer that never opens its window gets 10 s",
     false,
     {{10900, false, R::Running, F::Nobody, V::Running}, {11000, false, R::Running, F::Nobody, V::Over}}},
    {"unguarded: a renderer that could not start ends the show at once",
     false,
     {{1500, false, R::Failed, F::Other, V::Over}}},
    {"guarded: Escape in the renderer ends the show",
     true,
     {{1500, true, R::Running, F::Show, V::Running},
      {2000, false, R::Running, F::Nobody, V::Running},  // its window has gone, its process is ending
      {2100, false, R::Ended, F::Nobody, V::Over}}},
    {"guarded: another window taking the foreground ends the show",
     true,
     {{1500, true, R::Running, F::Other, V::Running},  // not yet its own: nothing to guard
      {1600, true, R::Running, F::Show, V::Running},
      {99000, true, R::Running, F::Nobody, V::Running},
      {99100, true, R::Running, F::Other, V::EndForLock}}},
    {"guarded: a renderer that could not start leaves the host holding the screen",
     true,
     {{1500, false, R::Failed, F::Other, V::Hold},
      {1600, false, R::Failed, F::Show, V::Running},  // the host's cover has the keyboard
      {30000, false, R::Failed, F::Show, V::Running},
      {30100, false, R::Failed, F::Other, V::EndForLock}}},
    {"guarded: a renderer that ends at once, before any window, is no end by the user",
     true,
     {{1100, false, R::Ended, F::Nobody, V::Hold}, {9000, false, R::Ended, F::Nobody, V::Running}}},
    {"guarded: a renderer that crashes during the show",
     true,
     {{1500, true, R::Running, F::Show, V::Running}, {5000, false, R::Failed, F::Other, V::Hold}}},
    {"guarded: a renderer whose window never takes the foreground (3 s, clock wrapping)",
     true,
     {{0xFFFFFF00u, true, R::Running, F::Other, V::Running},
      {0xFFFFFF00u + 2999, true, R::Running, F::Other, V::Running},
      {0xFFFFFF00u + 3000, true, R::Running, F::Other, V::Hold},
      {0xFFFFFF00u + 3100, true, R::Running, F::Show, V::Running},
      {0xFFFFFF00u + 3200, true, R::Running, F::Other, V::EndForLock}}},
    {"guarded: a renderer that never opens its window, or hangs after closing it",
     true,
     {{10999, false, R::Running, F::Nobody, V::Running},
      {11000, false, R::Running, F::Nobody, V::Hold},
      {11100, true, R::Running, F::Show, V::Running},
      {21099, false, R::Running, F::Nobody, V::Running}}},
    {"guarded: within the grace period the foreground elsewhere ends only a show that had it",
     true,
     {{1500, true, R::Running, F::Other, V::Running}, {4000, true, R::Running, F::Other, V::Running}}},
    {"guarded: past the grace period the foreground elsewhere locks, though the show never had it",
     true,
     {{1500, true, R::Running, F::Other, V::Running}, {6000, true, R::Running, F::Other, V::EndForLock}}},
    {"guarded: past the grace period a held screen whose keyboard went elsewhere locks",
     true,
     {{1500, false, R::Failed, F::Other, V::Hold}, {6000, false, R::Failed, F::Other, V::EndForLock}}},
    {"guarded: nobody's foreground (a desktop of its own) neither arms nor locks",
     true,
     {{1500, true, R::Running, F::Show, V::Running}, {9000, true, R::Running, F::Nobody, V::Running}}},
    {"guarded: a hung renderer leaves the host holding the screen",
     true,
     {{1500, true, R::Running, F::Show, V::Running}, {9000, true, R::Hung, F::Show, V::Hold},
      {9500, false, R::Failed, F::Show, V::Running}}},
    {"unguarded: a hung renderer ends the show",
     false,
     {{1500, true, R::Running, F::Show, V::Running}, {9000, true, R::Hung, F::Show, V::Over}}},
};

} // namespace

TEST(ShowWatch, DecidesTheShowTickByTick)
{
    for (const Story& story : kStories) {
        const unsigned start = story.ticks.front().ms >= 0xFFFFFF00u ? 0xFFFFFF00u - 500 : 1000;
        ShowWatch watch(story.guarding, start);
        for (const Tick& t : story.ticks)
            EXPECT_EQ(t.verdict, watch.Check({t.window, t.renderer, t.foreground, t.ms}))
                << story.name << ", at " << t.ms << " ms";
    }
}

TEST(ShowWatch, PointerMovesCountBeyondTheSlackFromWhereItFirstRested)
{
    struct Move {
        int x, y;
        bool counts;
    };
    const Move moves[] = {
        {500, 400, false},  // the first position after the start only places the pointer
        {504, 396, false},  // a brush of the desk
        {505, 400, true},
        {500, 395, true},
        {496, 404, false},
    };
    InputWatch watch(4);
    for (const Move& m : moves)
        EXPECT_EQ(m.counts, watch.MouseMovedTo(m.x, m.y)) << m.x << "," << m.y;
    for (auto [dpi, slack] : {std::make_pair(0, 4), std::make_pair(96, 4), std::make_pair(120, 5),
                              std::make_pair(144, 6), std::make_pair(192, 8), std::make_pair(288, 12)})
        EXPECT_EQ(slack, PointerSlackPixels(dpi)) << dpi << " DPI";
}

// Presses end a show, releases never: the release of the key or button that was down as the show
// started (a click on Preview, say) must not end it.
TEST(ShowWatch, PressesAreTheUsersInputReleasesAreNot)
{
    const struct {
        unsigned message;
        bool input;
    } rows[] = {{0x0100, true},  {0x0101, false}, {0x0104, true},  {0x0105, false}, {0x0201, true},  {0x0202, false},
                {0x0204, true},  {0x0205, false}, {0x0207, true},  {0x0208, false}, {0x020A, true},  {0x020B, true},
                {0x020C, false}, {0x020E, true},  {0x0246, true},  {0x0247, false}, {0x0200, false}, {0x000F, false}};
    for (const auto& row : rows)
        EXPECT_EQ(row.input, IsUserInputMessage(row.message)) << std::hex << row.message;
}

TEST(ShowWatch, SecureSettingPolicyThenSystemThenUser)
{
    using Text = std::optional<std::string>;
    struct Row {
        Text policy;
        std::optional<bool> system;
        Text user;
        bool secure;
    };
    const Row rows[] = {
        {Text(), std::nullopt, Text(), false},       // nothing known
        {Text(), std::nullopt, Text("1"), true},     // Wine: the user's value
        {Text(), std::nullopt, Text("0"), false},
        {Text(), false, Text("1"), false},           // the system's answer before the user's value
        {Text("1"), false, Text("0"), true},         // Group Policy wins
        {Text("0"), true, Text("1"), false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.secure, SaverIsSecure(r.policy, r.system, r.user))
            << r.policy.value_or("-") << " " << (r.system ? int(*r.system) : -1) << " " << r.user.value_or("-");
    // Winlogon's grace period, in seconds.
    for (const auto& [value, ms] : {std::make_pair(Text(), 5000u), std::make_pair(Text("0"), 0u),
                                    std::make_pair(Text("12"), 12000u), std::make_pair(Text("-3"), 5000u),
                                    std::make_pair(Text("5s"), 5000u), std::make_pair(Text("99999"), 3600000u)})
        EXPECT_EQ(ms, GracePeriodMs(value)) << value.value_or("-");
}

#include "shared/show_options.h"
#include "show/show_plan.h"

// The host writes the renderer's command line from the settings, the renderer reads it back: no words
// for the original show, and a word either side does not know is passed over.
TEST(ShowOptions, SettingsToCommandLineAndBack)
{
    struct Row {
        std::int16_t display, endOnInput;
        const char* text;
        bool native, endOnInputRead;
    };
    const Row rows[] = {
        {0, 0, "", false, false},
        {1, 0, " /native", true, false},
        {0, 1, " /end-on-input", false, true},
        {1, 1, " /native /end-on-input", true, true},
        {2, -1, "", false, false},  // a value this version does not know: the original show
    };
    for (const Row& row : rows) {
        Settings s;
        s.Display = row.display;
        s.EndOnInput = row.endOnInput;
        const std::string text = ShowOptionsText(ShowOptionsFor(s));
        EXPECT_EQ(row.text, text) << row.display << "," << row.endOnInput;
        const ShowOptions read = ParseShowOptions(text);
        EXPECT_EQ(row.native, read.nativeDisplay) << text;
        EXPECT_EQ(row.endOnInputRead, read.endOnInput) << text;
    }
    const struct {
        const char* commandLine;
        bool native, endOnInput;
        unsigned long host;
    } lines[] = {
        {"", false, false, 0},
        {"  /END-ON-INPUT\t/Native  ", true, true, 0},
        {"\"/native\" /later-option", true, false, 0},
        {"/nativeX /end-on", false, false, 0},
        {"\"/native /end-on-input\"", false, false, 0},  // one quoted word
        {"/native /HOST:4294967295", true, false, 4294967295u},
        {"/host:4294967296 /host: /host:12a /host:-1", false, false, 0},
    };
    for (const auto& l : lines) {
        const ShowOptions o = ParseShowOptions(l.commandLine);
        EXPECT_EQ(l.native, o.nativeDisplay) << l.commandLine;
        EXPECT_EQ(l.endOnInput, o.endOnInput) << l.commandLine;
        EXPECT_EQ(l.host, o.hostProcessId) << l.commandLine;
    }
    ShowOptions tied;
    tied.hostProcessId = 1234;
    EXPECT_EQ(" /host:1234", ShowOptionsText(tied));
}
