#include "controls/command_face.h"
#include "controls/command_model.h"
#include "config/dialog_classes.h"
#include "forms/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Records what the model asks the platform to do.
class FakeSurface : public CommandSurface {
public:
    std::vector<Skin> faces;
    std::vector<bool> inverts;
    std::vector<std::string> reports;
    int clicks = 0;
    int timers = 0;

    void DrawFace(Skin skin, bool invert) override
    {
        faces.push_back(skin);
        inverts.push_back(invert);
    }
    void CaptionChanged() override {}
    void StartHoverTimer() override { ++timers; }
    void RaiseClick() override { ++clicks; }
    void ReportChange(const char* property) override { reports.push_back(property); }
    Skin Last() const { return faces.empty() ? Skin::None : faces.back(); }
};

struct Button {
    FakeSurface surface;
    CommandModel model{surface};
    Button()
    {
        LayoutControl none;
        model.ReadProperties(none, FontSpec());  // a brand-new instance loaded from layout data
        model.Initialize();
        surface.faces.clear();
    }
};

} // namespace

TEST(CommandStates, EveryRowOfTheTable)
{
    struct Row {
        std::uint8_t before;
        bool mouseDown;
        ButtonEvent event;
        std::uint8_t after;
        Skin skin;
        bool mouseDownAfter;
    } rows[] = {
        {1, false, ButtonEvent::MouseMove, 2, Skin::HighLight, false},
        {3, false, ButtonEvent::MouseMove, 4, Skin::HighLightSelect, false},
        {3, true, ButtonEvent::MouseMove, 3, Skin::None, true},
        {2, false, ButtonEvent::MouseMove, 2, Skin::None, false},
        {4, false, ButtonEvent::MouseMove, 4, Skin::None, false},
        {1, false, ButtonEvent::GotFocus, 3, Skin::Selected, false},
        {0, false, ButtonEvent::GotFocus, 3, Skin::Selected, false},
        {2, false, ButtonEvent::GotFocus, 4, Skin::Pressed, false},
        {4, false, ButtonEvent::LostFocus, 1, Skin::Normal, false},
        {3, false, ButtonEvent::LostFocus, 1, Skin::Normal, false},
        {1, false, ButtonEvent::LostFocus, 1, Skin::None, false},
        {2, false, ButtonEvent::PressLeft, 2, Skin::Pressed, true},
        {2, false, ButtonEvent::PressOther, 2, Skin::None, false},
        {2, true, ButtonEvent::ReleaseLeft, 2, Skin::Normal, false},
        {4, true, ButtonEvent::ReleaseLeft, 4, Skin::HighLightSelect, false},
        {3, true, ButtonEvent::ReleaseLeft, 3, Skin::None, false},
        {2, false, ButtonEvent::MouseLeft, 1, Skin::Normal, false},
        {4, false, ButtonEvent::MouseLeft, 3, Skin::Selected, false},
        {3, false, ButtonEvent::MouseLeft, 3, Skin::None, false},
    };
    for (const Row& r : rows) {
        Button b;
        b.model.m_State = r.before;
        b.model.m_MouseDown = r.mouseDown;
        switch (r.event) {
        case ButtonEvent::MouseMove: b.model.MouseMove(); break;
        case ButtonEvent::GotFocus: b.model.GotFocus(); break;
        case ButtonEvent::LostFocus: b.model.LostFocus(); break;
        case ButtonEvent::PressLeft: b.model.MouseDown(MouseButton::Left); break;
        case ButtonEvent::PressOther: b.model.MouseDown(MouseButton::Right); break;
        case ButtonEvent::ReleaseLeft: b.model.MouseUp(MouseButton::Left); break;
        case ButtonEvent::ReleaseOther: b.model.MouseUp(MouseButton::Middle); break;
        case ButtonEvent::MouseLeft: b.model.HoverPoll(false); break;
        }
        const std::string row = "event " + std::to_string(static_cast<int>(r.event)) + " in state " + std::to_string(r.before);
        EXPECT_EQ(r.after, b.model.m_State) << row;
        EXPECT_EQ(r.skin, b.surface.Last()) << row;
        EXPECT_EQ(r.mouseDownAfter, b.model.m_MouseDown) << row;
    }
}

TEST(CommandStates, ClickSequencesFromTheDescription)
{
    {  // a hovered, unfocused button clicked: Pressed, Pressed, HighLightSelect, one Click
        Button b;
        b.model.MouseMove();
        b.model.GotFocus();
        b.model.MouseDown(MouseButton::Left);
        EXPECT_EQ(Skin::Pressed, b.surface.Last());
        b.model.MouseUp(MouseButton::Left);
        EXPECT_EQ((std::vector<Skin>{Skin::HighLight, Skin::Pressed, Skin::Pressed, Skin::HighLightSelect}), b.surface.faces);
        EXPECT_EQ(1, b.surface.clicks);
    }
    {  // press, drag off, the poll runs, release outside: no Click, Selected
        Button b;
        b.model.MouseMove();
        b.model.GotFocus();
        b.model.MouseDown(MouseButton::Left);
        b.model.HoverPoll(false);
        b.model.MouseUp(MouseButton::Left);
        EXPECT_EQ(0, b.surface.clicks);
        EXPECT_EQ(kStateSelected, b.model.m_State);
        EXPECT_EQ(Skin::Selected, b.surface.Last());
    }
    {  // ... and dragged back before releasing: moves are ignored while held, still no Click
        Button b;
        b.model.MouseMove();
        b.model.GotFocus();
        b.model.MouseDown(MouseButton::Left);
        b.model.HoverPoll(false);
        b.model.MouseMove();
        b.model.MouseUp(MouseButton::Left);
        EXPECT_EQ(0, b.surface.clicks);
    }
    {  // right and middle buttons click too, unless the state is Selected
        Button b;
        b.model.MouseMove();
        b.model.MouseDown(MouseButton::Right);
        EXPECT_TRUE(b.surface.faces.size() == 1 && !b.model.m_MouseDown) << "the press paints nothing";
        b.model.MouseUp(MouseButton::Right);
        EXPECT_EQ(1, b.surface.clicks);
        b.model.GotFocus();
        b.model.HoverPoll(false);
        ASSERT_EQ(kStateSelected, b.model.m_State);
        b.model.MouseUp(MouseButton::Middle);
        EXPECT_EQ(1, b.surface.clicks);
    }
    {  // never initialised: no hover look, but a release clicks
        FakeSurface s;
        CommandModel m(s);
        LayoutControl none;
        m.ReadProperties(none, FontSpec());
        s.faces.clear();
        m.MouseMove();
        EXPECT_TRUE(s.faces.empty());
        m.MouseUp(MouseButton::Left);
        EXPECT_EQ(1, s.clicks);
        EXPECT_EQ(0, s.timers);
    }
    {  // disabled: no look changes, no Click; enabling paints Normal whatever the state
        Button b;
        b.model.SetEnabled(false);
        EXPECT_EQ(Skin::Disable, b.surface.Last());
        EXPECT_FALSE(b.model.LblMsg.enabled);
        const std::size_t painted = b.surface.faces.size();
        b.model.MouseMove();
        b.model.GotFocus();
        b.model.MouseDown(MouseButton::Left);
        b.model.MouseUp(MouseButton::Left);
        b.model.HoverPoll(false);
        EXPECT_EQ(painted, b.surface.faces.size());
        EXPECT_EQ(0, b.surface.clicks);
        b.model.m_State = kStateHighLightSelect;
        b.model.SetEnabled(true);
        EXPECT_EQ(Skin::Normal, b.surface.Last());
        EXPECT_EQ(kStateHighLightSelect, b.model.m_State) << "Disable and Normal are looks, not states";
    }
    {  // tab in, hover, leave: Selected, HighLightSelect, Selected
        Button b;
        b.model.GotFocus();
        b.model.MouseMove();
        b.model.HoverPoll(true);
        b.model.HoverPoll(false);
        EXPECT_EQ((std::vector<Skin>{Skin::Selected, Skin::HighLightSelect, Skin::Selected}), b.surface.faces);
    }
}

TEST(CommandFace, GradientDirectionFollowsTheStatePainted)
{
    Button b;
    b.model.MouseMove();  // state 2: tint to white
    EXPECT_TRUE(b.surface.inverts.back());
    b.model.GotFocus();   // state 4 keeps it: the Pressed face is tint to white too
    EXPECT_TRUE(b.surface.inverts.back());
    b.model.HoverPoll(false);  // state 3: white to tint
    EXPECT_FALSE(b.surface.inverts.back());
    b.model.MouseMove();  // 3 -> 4 keeps white to tint
    EXPECT_FALSE(b.surface.inverts.back());

    GradientVertex v[4];
    GradientRect rect;
    GradientFor(false, 77, 25, v, rect);
    EXPECT_EQ(0xFF00, v[0].red);
    EXPECT_EQ(0xFF00, v[0].blue);
    EXPECT_EQ(0xC600, v[1].red);
    EXPECT_EQ(0xC500, v[1].green);
    EXPECT_EQ(0xD700, v[1].blue);
    EXPECT_EQ(0, v[1].alpha);
    EXPECT_EQ(76, v[1].x);
    EXPECT_EQ(24, v[1].y);
    EXPECT_EQ(1u, rect.upperLeft);
    EXPECT_EQ(0u, rect.lowerRight);
    EXPECT_EQ(0, v[2].red + v[3].x + v[3].y) << "the other two vertices stay zero";
    GradientFor(true, 77, 25, v, rect);
    EXPECT_EQ(0xC600, v[0].red);
    EXPECT_EQ(0xFF00, v[1].green);
}

TEST(CommandFace, TheOutlineReachesEveryEdgeAtEveryScale)
{
    // The Set button (1155 x 420 twips) and a small one, at 100 % to 225 %: its client pixels, the
    // corner's size, and the slices that must end exactly on the right and bottom edges.
    const struct {
        int dpi, width, height, corner;
    } cases[] = {{96, 77, 28, 4}, {120, 96, 35, 5}, {144, 115, 42, 6}, {168, 134, 49, 7},
                 {192, 154, 56, 8}, {216, 173, 63, 9}, {96, 41, 21, 4}, {168, 71, 36, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dpi) + " DPI, " + std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(c.corner, CornerPixels(c.dpi));
        Slice s[8];
        SliceGeometry(c.width, c.height, c.corner, s);
        int right = 0, bottom = 0;
        for (const Slice& slice : s) {
            right = std::max(right, slice.left + slice.width);
            bottom = std::max(bottom, slice.top + slice.height);
            EXPECT_GE(slice.left, 0);
            EXPECT_GE(slice.top, 0);
            EXPECT_LE(slice.srcLeft + slice.srcWidth, 64) << "inside the 64 x 25 skin";
            EXPECT_LE(slice.srcTop + slice.srcHeight, 25);
        }
        EXPECT_EQ(c.width, right) << "the outline stops short of the right edge";
        EXPECT_EQ(c.height, bottom) << "the outline stops short of the bottom edge";
        EXPECT_EQ(c.width - c.corner, s[2].left) << "the right corner sits on the right edge";
        EXPECT_EQ(c.height - c.corner, s[4].top);
        EXPECT_EQ(c.width - 2 * c.corner, s[1].width) << "the edges fill the gap between the corners";
        EXPECT_EQ(c.height - 2 * c.corner, s[7].height);
    }

    // At 96 DPI the skin is copied pixel for pixel where it is not stretched: its 4-pixel corners,
    // the 56-pixel top strip from x 4, the 17-pixel side strip from y 4, the bottom row from y 21.
    Slice s[8];
    SliceGeometry(77, 25, 4, s);
    const Slice topLeft = {0, 0, 4, 4, 0, 0, 4, 4}, top = {4, 0, 69, 4, 4, 0, 56, 4}, right = {73, 4, 4, 17, 60, 4, 4, 17},
                bottomLeft = {0, 21, 4, 4, 0, 21, 4, 4};
    for (const auto& [got, want] : {std::pair{s[0], topLeft}, {s[1], top}, {s[3], right}, {s[6], bottomLeft}})
        EXPECT_EQ(std::make_tuple(want.left, want.top, want.width, want.height, want.srcLeft, want.srcTop, want.srcWidth, want.srcHeight),
                  std::make_tuple(got.left, got.top, got.width, got.height, got.srcLeft, got.srcTop, got.srcWidth, got.srcHeight));
    EXPECT_DOUBLE_EQ(80.0, CaptionTop(375, 195));
}

TEST(CommandProperties, DefaultsAndTheRoundTrip)
{
    const FontSpec host{"MS UI Gothic", 9.0, 400, false, 128};
    FakeSurface s;
    CommandModel m(s);
    LayoutControl bag;
    m.ReadProperties(bag, host);
    EXPECT_TRUE(m.m_Enabled);
    EXPECT_EQ("Command1", m.Caption());
    EXPECT_EQ(host, m.Font());
    EXPECT_EQ(1, m.m_FirstRun);
    EXPECT_EQ(0u, m.LblMsg.colour);
    EXPECT_TRUE(m.m_Opaque);

    LayoutControl written;
    m.WriteProperties(written, host);
    ASSERT_EQ(1u, written.properties.size()) << "only what differs from the write defaults";
    EXPECT_EQ("Caption", written.properties[0].key);

    m.SetCaption("Command");
    LayoutControl again;
    m.WriteProperties(again, host);
    EXPECT_TRUE(again.properties.empty()) << "\"Command\" is not stored";
    CommandModel back(s);
    back.ReadProperties(again, host);
    EXPECT_EQ("Command1", back.Caption());

    const FontSpec mincho{"MS Mincho", 12.0, 700, true, 128};
    m.SetCaption(u8"設定");
    m.SetFont(mincho);
    m.SetEnabled(false);
    m.SetFontColour(0xFF0000);
    m.SetVisible(false);
    LayoutControl full;
    m.WriteProperties(full, host);
    const char* order[] = {"Enabled", "Caption", "FirstRun", "Font", "FontColour", "Visible"};
    ASSERT_EQ(5u, full.properties.size());  // FirstRun is 1, the default
    EXPECT_EQ(order[0], full.properties[0].key);
    EXPECT_EQ(order[1], full.properties[1].key);
    EXPECT_EQ(order[3], full.properties[2].key);
    CommandModel copy(s);
    copy.ReadProperties(full, host);
    EXPECT_FALSE(copy.m_Enabled);
    EXPECT_EQ(u8"設定", copy.Caption());
    EXPECT_EQ(mincho, copy.Font());
    EXPECT_EQ(0xFF0000u, copy.LblMsg.colour);
    EXPECT_FALSE(copy.m_Opaque);
    EXPECT_EQ((std::vector<std::string>{"Caption", "Caption", "Font", "Enabled", "FontColour", "Visible"}), s.reports);
}

TEST(CommandProperties, FirstRunForcesBlackAndEnabledOnce)
{
    FakeSurface s;
    CommandModel m(s);  // a brand-new instance: nothing read yet
    m.LblMsg.colour = 0x123456;
    m.m_Enabled = false;
    EXPECT_TRUE(m.Enabled()) << "the first read of Enabled enables the button";
    EXPECT_EQ(1, m.m_FirstRun);
    LayoutControl bag;
    bag.Set("FirstRun", LayoutValue::OfInteger(0));
    bag.Set("FontColour", LayoutValue::OfColour(0xFF));
    m.ReadProperties(bag, FontSpec());
    EXPECT_EQ(0u, m.LblMsg.colour) << "while FirstRun is 0 the caption is black";
}

TEST(Layout, ParsesWritesAndRoundTrips)
{
    const std::string text =
        "# a dialog\n"
        "Begin Form Lunaquill_P\n"
        "    Caption = \"<Lunaquill>\"\n"
        "    Begin PictureBox Pic_C(0)\n"
        "        Left = 180\n"
        "        BackColor = &H00E0E0E0&\n"
        "        Begin Lunaquill.Command Cmd_File(0)\n"
        "            Caption = \"...\"\n"
        "            Font = \"ＭＳ Ｐゴシック\", 9.75, 400, False, 128\n"
        "            Enabled = False\n"
        "        End\n"
        "    End\n"
        "    Begin Label lbl_URL\n"
        "        Caption = \"say \"\"hi\"\"\"\n"
        "    End\n"
        "End\n";
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult r = ParseLayout(text, classes, count);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(1u, r.controls.size());
    const LayoutControl& form = r.controls[0];
    const LayoutControl* panel = form.Child("Pic_C", 0);
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(0xE0E0E0, panel->Find("BackColor")->integer);
    const LayoutControl* button = panel->Child("Cmd_File", 0);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ("Lunaquill.Command", button->className);
    EXPECT_EQ(9.75, button->Find("Font")->font.size);
    EXPECT_EQ(u8"ＭＳ Ｐゴシック", button->Find("Font")->font.face);
    EXPECT_EQ(0, button->Find("Enabled")->integer);
    EXPECT_EQ("say \"hi\"", form.Child("lbl_URL")->Find("Caption")->text);

    const std::string written = FormatLayout(r.controls);
    const LayoutResult again = ParseLayout(written, classes, count);
    ASSERT_TRUE(again.ok) << again.error;
    EXPECT_EQ(written, FormatLayout(again.controls));
}

TEST(Layout, BadInputNamesTheLine)
{
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    auto error = [&](const std::string& text) { return ParseLayout(text, classes, count).error; };
    EXPECT_EQ("line 2: Lunaquill.Command has no property 'Colour'",
              error("Begin Lunaquill.Command Cmd_Set\n  Colour = 3\nEnd\n"));
    EXPECT_EQ("line 3: 'Left' needs a whole number, found 'abc'",
              error("Begin Lunaquill.Command Cmd_Set\n\n  Left = abc\nEnd\n"));
    EXPECT_EQ("line 2: 'Enabled' needs True or False, found 'yes'",
              error("Begin Lunaquill.Command X\n Enabled = yes\nEnd\n"));
    EXPECT_EQ("line 1: 'Begin Lunaquill.Command Cmd_Set' has no 'End'",
              error("Begin Lunaquill.Command Cmd_Set\n  Left = 1\n"));
    EXPECT_EQ("line 1: unknown class 'Button'", error("Begin Button B\nEnd\n"));
    EXPECT_EQ("line 1: 'End' without 'Begin'", error("End\n"));
    EXPECT_EQ("line 2: Label cannot hold other controls", error("Begin Label A\nBegin Label B\nEnd\nEnd\n"));
    EXPECT_EQ("line 2: 'Caption' needs a quoted text, found '\"open'", error("Begin Label A\nCaption = \"open\nEnd\n"));
    EXPECT_EQ("line 3: 'Left' is given twice", error("Begin Label A\nLeft = 1\nLeft = 2\nEnd\n"));
    EXPECT_EQ("line 1: a property outside any 'Begin' block", error("Left = 1\n"));
    // Numbers too large for what holds them are refused, not cut down to another number.
    EXPECT_EQ("line 2: 'Left' needs a whole number, found '9223372036854775808'",
              error("Begin Label A\nLeft = 9223372036854775808\nEnd\n"));
    EXPECT_EQ("line 1: bad index in 'A(2147483648)'", error("Begin Label A(2147483648)\nEnd\n"));
    EXPECT_EQ("line 2: 'Font' needs a font (\"face\", size, weight, italic, charset), found '\"Tahoma\", 9, 4294967696, False, 0'",
              error("Begin Label A\nFont = \"Tahoma\", 9, 4294967696, False, 0\nEnd\n"));
    EXPECT_EQ("line 1: no name before the index in '(2)'", error("Begin Label (2)\nEnd\n"));
}
