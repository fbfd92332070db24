#include "config/dialog_model.h"
#include "config/dialog_classes.h"
#include "config/dialog_keyboard.h"
#include "forms/access_key.h"
#include "forms/layout.h"
#include "main/texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

TEST(DialogModel, ControlsEnabledPerSource)
{
    struct Case {
        std::int16_t kind;
        int tick;
        bool track, file;
    } cases[] = {{0, 0, false, false}, {1, 1, true, false}, {2, 2, false, true}, {5, -1, false, false}, {-1, -1, false, false}};
    for (const Case& c : cases) {
        const SourceControls s = ControlsFor(c.kind);
        EXPECT_EQ(c.tick, s.tickedIndicator) << c.kind;
        EXPECT_EQ(c.track, s.trackBoxEnabled) << c.kind;
        EXPECT_EQ(c.file, s.fileButtonEnabled) << c.kind;
    }
}

TEST(DialogModel, TrackBoxTexts)
{
    EXPECT_EQ("", FormatTrack(0));
    EXPECT_EQ("7", FormatTrack(7));
    EXPECT_EQ("-3", FormatTrack(-3));
    const std::vector<std::string> list = TrackListEntries();
    ASSERT_EQ(31u, list.size());
    EXPECT_EQ("", list[0]);
    EXPECT_EQ("1", list[1]);
    EXPECT_EQ("30", list[30]);

    Settings s;
    s.BGM_Kind = 1;
    for (auto [track, written] : {std::make_pair(2, " 2"), std::make_pair(0, " 0"), std::make_pair(-1, "-1"),
                                  std::make_pair(32767, " 32767")}) {
        const auto writes = SettingsToWrite(s, static_cast<std::int16_t>(track));
        EXPECT_EQ(track, s.BGM_Track);
        ASSERT_EQ(5u, writes.size());
        EXPECT_STREQ(kKeyKind, writes[0].first);
        EXPECT_EQ(" 1", writes[0].second);
        EXPECT_STREQ(kKeyTrack, writes[1].first);
        EXPECT_EQ(written, writes[1].second) << track;
        EXPECT_STREQ(kKeyFile, writes[2].first);
    }
}

TEST(DialogModel, DisplayChoicesTickAndToggle)
{
    const struct {
        std::int16_t before;
        bool ticked;
        std::int16_t afterPress;
    } rows[] = {{0, false, 1}, {1, true, 0}, {2, false, 1}, {-1, false, 1}};
    for (const auto& row : rows) {
        Settings s;
        s.Display = row.before;
        s.EndOnInput = 0;
        EXPECT_EQ(row.ticked, DisplayChoiceTicked(s, 0)) << row.before;
        ToggleDisplayChoice(s, 0);
        EXPECT_EQ(row.afterPress, s.Display) << row.before;
        EXPECT_EQ(0, s.EndOnInput) << "the other row stays";
        s.EndOnInput = row.before;
        EXPECT_EQ(row.ticked, DisplayChoiceTicked(s, 1)) << row.before;
        ToggleDisplayChoice(s, 1);
        EXPECT_EQ(row.afterPress, s.EndOnInput) << row.before;
    }
    Settings s;
    ToggleDisplayChoice(s, 2);
    EXPECT_FALSE(DisplayChoiceTicked(s, 2));
    EXPECT_EQ(0, s.Display + s.EndOnInput) << "no such row: nothing changes";
}

TEST(DialogModel, PlacementAndGradients)
{
    long left = 0, top = 0;
    DialogPosition(15360, 11520, 7530, 4110, &left, &top);  // 1024x768 screen
    EXPECT_EQ(3915, left);
    EXPECT_EQ(2470, top);
    DialogPosition(15360, 11520, 7531, 4111, &left, &top);
    EXPECT_EQ(3914, left) << "truncated toward zero";
    EXPECT_EQ(2469, top);

    EXPECT_EQ(0, GradientLevel(0, 243));
    EXPECT_EQ(0x1E0000u, DialogRowColour(0, 243)) << "dark blue at the top";
    EXPECT_EQ(0x1E1E1Eu, PanelRowColour(0, 165)) << "dark grey at the top";
    EXPECT_EQ(220, GradientLevel(121, 243)) << "the middle row, y / h close to pi / 2";
    EXPECT_EQ(0xFADCDCu, DialogRowColour(121, 243)) << "pale lavender in the middle";
    EXPECT_EQ(0xFAFAFAu, PanelRowColour(82, 165));
    EXPECT_LT(GradientLevel(243, 243), 3) << "dark again at the bottom";

    // Text of our own over the panel's foot reads at 4.5:1 at least: black up the panel, white below.
    EXPECT_NEAR(21.0, ContrastRatio(0x000000, 0xFFFFFF), 1e-9);
    for (const auto& [top, bottom, colour] : {std::make_tuple(192, 205, 0x000000u), std::make_tuple(212, 225, 0xFFFFFFu)}) {
        std::vector<std::uint32_t> under;
        for (int y = top; y < bottom; ++y)
            under.push_back(PanelRowColour(y, 241));  // the display rows at 96 DPI
        EXPECT_EQ(colour, ReadableOn(under)) << top;
        for (std::uint32_t b : under)
            EXPECT_GE(ContrastRatio(colour, b), 4.5) << top;
    }
}

// The keyboard, where the user needs it: Tab in the layout's order past what is unavailable, the music
// rows one stop entered at the chosen row, arrows along them on screen, Space and Enter as a Windows
// dialog has them, the access keys.
TEST(DialogModel, KeysDoWhatTheMouseDoes)
{
    using P = Place;
    const P track{Stop::TrackBox, -1}, none{Stop::MusicRow, 0}, cd{Stop::MusicRow, 1}, mp3{Stop::MusicRow, 2},
        file{Stop::FileButton, 0}, display{Stop::DisplayRow, 0}, ends{Stop::DisplayRow, 1}, set{Stop::SetButton, -1},
        cancel{Stop::CancelButton, -1}, link{Stop::Link, -1};
    const DialogKeyboard keys({track, none, mp3, cd, file, display, ends, set, cancel, link}, {1, 0, 2},
                              {{'C', cd}, {'R', track}, {'B', file}, {'S', set}, {'L', link}});
    KeyState chosenNone;
    KeyState cdChosen;
    cdChosen.chosenKind = 1;
    cdChosen.trackBoxEnabled = true;
    KeyState listOpen = cdChosen;
    listOpen.trackListDropped = true;
    const struct {
        Key key;
        P focus;
        const KeyState& state;
        Act act;
        P place;
    } rows[] = {
        {Key::Tab, P(), chosenNone, Act::Focus, none},  // the track box is disabled: the music rows
        {Key::Tab, none, chosenNone, Act::Focus, display},  // past the disabled file button
        {Key::ShiftTab, display, chosenNone, Act::Focus, none},
        {Key::ShiftTab, none, chosenNone, Act::Focus, link},  // wrapping
        {Key::Tab, link, cdChosen, Act::Focus, track},
        {Key::Tab, track, cdChosen, Act::Focus, cd},  // the group entered at the chosen row
        {Key::Down, cd, cdChosen, Act::Choose, none},  // on screen: CD, none, MP3
        {Key::Up, cd, cdChosen, Act::Choose, mp3},
        {Key::Down, track, cdChosen, Act::Nothing, P()},  // the track box's own list
        {Key::Space, display, cdChosen, Act::Toggle, display},
        {Key::Space, file, chosenNone, Act::Nothing, P()},  // a disabled button
        {Key::Space, track, cdChosen, Act::Nothing, P()},
        {Key::Enter, cancel, cdChosen, Act::Press, cancel},
        {Key::Enter, link, cdChosen, Act::Open, link},
        {Key::Enter, track, cdChosen, Act::Save, track},  // Enter is Set ...
        {Key::Enter, track, listOpen, Act::Nothing, P()},  // ... unless the track list is open
        {Key::Escape, mp3, cdChosen, Act::Cancel, mp3},
        {Key::Escape, track, listOpen, Act::Nothing, P()},
    };
    for (const auto& r : rows) {
        const KeyResult result = keys.Press(r.key, r.focus, r.state);
        EXPECT_EQ(r.act, result.act) << static_cast<int>(r.key) << " at " << static_cast<int>(r.focus.stop);
        EXPECT_TRUE(r.place == result.place) << static_cast<int>(r.key) << " at " << static_cast<int>(r.focus.stop);
    }
    EXPECT_TRUE(KeyResult({Act::Choose, cd}) == keys.AccessKey('c', chosenNone));
    EXPECT_TRUE(KeyResult() == keys.AccessKey('R', chosenNone)) << "the track box is disabled";
    EXPECT_TRUE(KeyResult({Act::Focus, track}) == keys.AccessKey('r', cdChosen));
    EXPECT_TRUE(KeyResult({Act::Press, set}) == keys.AccessKey('S', chosenNone));
    EXPECT_TRUE(none == keys.First(chosenNone));
    EXPECT_TRUE(track == keys.First(cdChosen));
    EXPECT_EQ(L"Musi&c CD", CaptionWithAccessKey(L"Music CD", 'C'));
    EXPECT_EQ(L"\x8A2D\x5B9A(&S)", CaptionWithAccessKey(L"\x8A2D\x5B9A", 'S')) << "設定(S)";
    EXPECT_EQ(L"A&&&B", CaptionWithAccessKey(L"A&B", 'b'));
}

TEST(DialogModel, ChosenFileAndItsFolder)
{
    Settings s;
    FileChosen(s, "C:\\a.mp3");
    EXPECT_EQ("C:\\a.mp3", s.BGM_File);
    EXPECT_EQ("C:", s.BGM_Folder);
}

TEST(DialogModel, TheDialogsLayoutDataIsValid)
{
    std::ifstream in(LQ_SOURCE_DIR "/host/config/lunaquill_p.layout");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult r = ParseLayout(text, classes, count);
    ASSERT_TRUE(r.ok) << r.error;
    const LayoutControl& form = r.controls.at(0);
    EXPECT_EQ(u8"<Lunaquill>", form.Find("Caption")->text);
    EXPECT_EQ(7440, form.Find("ClientWidth")->integer);
    const LayoutControl* panel = form.Child("Pic_C", 0);
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(u8"音楽CD", panel->Child("lbl_BGM", 1)->Find("Caption")->text);
    EXPECT_EQ(u8"曲目をﾘﾋﾟｰﾄ", panel->Child("lbl", 14)->Find("Caption")->text);
    EXPECT_EQ(u8"設定", form.Child("Cmd_Set")->Find("Caption")->text);
    EXPECT_EQ(14, form.Child("Cmd_Can")->Find("TabIndex")->integer);
    EXPECT_EQ(u8"表示", panel->Child("lbl", 16)->Find("Caption")->text);
    EXPECT_NE(nullptr, panel->Child("Img_Disp", 1));
    std::string order;
    for (const LayoutControl* c : InTabOrder(form))
        order += c->name + " ";
    EXPECT_EQ("lbl Pic_C Cmd_Set Cmd_Can Pic_Dummy lbl_URL Img_Ra Img_Ra ", order);
}

TEST(DialogModel, TabOrderIsTheTabIndexAndTheLinkOpensOncePerClick)
{
    LayoutControl form;
    for (auto [name, tab] : {std::make_pair("third", 7), std::make_pair("picture", -1), std::make_pair("first", 0),
                             std::make_pair("second", 3)}) {
        LayoutControl c;
        c.name = name;
        if (tab >= 0)
            c.Set("TabIndex", LayoutValue::OfInteger(tab));
        form.children.push_back(c);
    }
    std::string order;
    for (const LayoutControl* c : InTabOrder(form))
        order += c->name + " ";
    EXPECT_EQ("first second third picture ", order) << "TabIndex first, the rest after in layout order";

    LinkClick link;
    link.Press(true);
    EXPECT_TRUE(link.Release(true));
    EXPECT_FALSE(link.Release(true)) << "a double-click's second release, after no new press";
    link.Press(false);
    EXPECT_FALSE(link.Release(true)) << "pressed elsewhere, released over the link";
    link.Press(true);
    EXPECT_FALSE(link.Release(false)) << "pressed on the link, released elsewhere";
    EXPECT_FALSE(link.Release(true));
}
