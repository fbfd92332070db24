#include "dialog_model.h"

#include "main/texts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

SourceControls ControlsFor(std::int16_t kind)
{
    SourceControls c = {-1, false, false};
    if (kind >= 0 && kind <= 2)
        c.tickedIndicator = kind;
    c.trackBoxEnabled = kind == 1;
    c.fileButtonEnabled = kind == 2;
    return c;
}

std::string FormatTrack(std::int16_t value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

std::vector<std::string> TrackListEntries()
{
    std::vector<std::string> entries;
    for (int i = 0; i <= 30; ++i)
        entries.push_back(FormatTrack(static_cast<std::int16_t>(i)));
    return entries;
}

void DialogPosition(long screenWidth, long screenHeight, long windowWidth, long windowHeight, long* left, long* top)
{
    *left = (screenWidth - windowWidth) / 2;
    *top = (screenHeight - windowHeight) / 3;
}

int GradientLevel(int y, int height)
{
    const double h = height / 3.142;
    return static_cast<int>(std::nearbyint(std::fabs(std::sin(y / h)) * 220.0));
}

std::uint32_t DialogRowColour(int y, int height)
{
    const std::uint32_t level = static_cast<std::uint32_t>(GradientLevel(y, height));
    return level | (level << 8) | ((level + 30) << 16);
}

std::uint32_t PanelRowColour(int y, int height)
{
    const std::uint32_t level = static_cast<std::uint32_t>(GradientLevel(y, height)) + 30;
    return level | (level << 8) | (level << 16);
}

std::vector<std::pair<const char*, std::string>> SettingsToWrite(Settings& settings, std::int16_t track)
{
    settings.BGM_Track = track;
    return SettingsText(settings);
}

namespace {

std::int16_t* DisplayChoice(Settings& settings, int row)
{
    return row == 0 ? &settings.Display : row == 1 ? &settings.EndOnInput : nullptr;
}

} // namespace

bool DisplayChoiceTicked(const Settings& settings, int row)
{
    return (row == 0 && settings.Display == 1) || (row == 1 && settings.EndOnInput == 1);
}

void ToggleDisplayChoice(Settings& settings, int row)
{
    if (std::int16_t* value = DisplayChoice(settings, row))
        *value = *value == 1 ? 0 : 1;
}

void FileChosen(Settings& settings, const std::string& path)
{
    settings.BGM_File = path;
    settings.BGM_Folder = Folder_Of(path);
}


namespace {

double Luminance(std::uint32_t colour)
{
    double sum = 0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};  // red, green, blue
    for (int i = 0; i < 3; ++i) {
        const double c = ((colour >> (8 * i)) & 0xFF) / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

} // namespace

double ContrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t ReadableOn(const std::vector<std::uint32_t>& backgrounds)
{
    const std::uint32_t black = 0x000000, white = 0xFFFFFF;
    double worstBlack = 21, worstWhite = 21;
    for (const std::uint32_t b : backgrounds) {
        worstBlack = std::min(worstBlack, ContrastRatio(black, b));
        worstWhite = std::min(worstWhite, ContrastRatio(white, b));
    }
    return worstWhite > worstBlack ? white : black;
}
