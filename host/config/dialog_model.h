// What the settings dialog (Lunaquill_P) decides, without the platform: which controls a music
// source enables, how the track box shows and reads numbers, where the dialog sits, its background
// gradients, and what Set writes.
#pragma once

#include "forms/layout.h"
#include "main/settings.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct SourceControls {
    int tickedIndicator;  // Img_BGM index 0..2, or -1 for none
    bool trackBoxEnabled;  // BGM_Repeat
    bool fileButtonEnabled;  // Cmd_File(0)
};

// Kind 0 none, 1 CD (track box), 2 file (file button); any other kind ticks nothing.
SourceControls ControlsFor(std::int16_t kind);

// The "##" pattern: digits only, no leading zeros; 0 gives an empty text, -3 gives "-3".
std::string FormatTrack(std::int16_t value);

// The track box's list: "", "1", ..., "30".
std::vector<std::string> TrackListEntries();

// The dialog's top-left corner in twips: centred across, in the upper third down.
void DialogPosition(long screenWidth, long screenHeight, long windowWidth, long windowHeight, long* left, long* top);

// The background gradient: the level of row y of a surface H rows high, |sin(y / (H / 3.142))| x 220
// rounded half to even. The dialog paints RGB(level, level, level + 30), the panel
// RGB(level + 30, level + 30, level + 30).
int GradientLevel(int y, int height);
std::uint32_t DialogRowColour(int y, int height);  // 0x00BBGGRR
std::uint32_t PanelRowColour(int y, int height);

// The contrast of two colours (0x00BBGGRR) as WCAG 2 measures it, from 1 to 21; text needs 4.5.
double ContrastRatio(std::uint32_t a, std::uint32_t b);
// Black or white, whichever reads better over every one of these backgrounds (the higher of the two
// worst contrasts): the text colour of a row of our own over the panel's darkening foot.
std::uint32_t ReadableOn(const std::vector<std::uint32_t>& backgrounds);

// Set: BGM_Track (the track box as the platform's number reading judged it), then the three values
// in the order they are written.
std::vector<std::pair<const char*, std::string>> SettingsToWrite(Settings& settings, std::int16_t track);

// The home-page link opens on a click: a press and a release, both on the link. The second press of
// a double-click arrives as a double-click message, which is no new press, so the page opens once.
class LinkClick {
public:
    void Press(bool onLink) { m_pressed = onLink; }
    // True when this release completes a click on the link.
    bool Release(bool onLink)
    {
        const bool click = m_pressed && onLink;
        m_pressed = false;
        return click;
    }

private:
    bool m_pressed = false;
};

// The display group's check rows: row 0 is Display (every monitor at its own resolution), row 1
// EndOnInput. A row is ticked at its value 1; a press turns a ticked row off and any other value on.
constexpr int kDisplayChoiceCount = 2;
bool DisplayChoiceTicked(const Settings& settings, int row);
void ToggleDisplayChoice(Settings& settings, int row);

// A file chosen in the picker becomes BGM_File, and the next picker starts in its folder.
void FileChosen(Settings& settings, const std::string& path);
