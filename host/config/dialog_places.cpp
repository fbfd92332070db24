#include "dialog_places.h"

#include "forms/win32_forms.h"

namespace {

const PlaceOf kPlaces[] = {
    {"lbl_BGM", 1, {Stop::MusicRow, 1}, 'C'},
    {"lbl_BGM", 0, {Stop::MusicRow, 0}, 'N'},
    {"lbl_BGM", 2, {Stop::MusicRow, 2}, 'M'},
    {"lbl", 14, {Stop::TrackBox, -1}, 'R'},
    {"BGM_Repeat", -1, {Stop::TrackBox, -1}, 0},
    {"Cmd_File", 0, {Stop::FileButton, 0}, 'B'},
    {"lbl_Disp", 0, {Stop::DisplayRow, 0}, 'E'},
    {"lbl_Disp", 1, {Stop::DisplayRow, 1}, 'K'},
    {"Cmd_Set", -1, {Stop::SetButton, -1}, 'S'},
    {"Cmd_Can", -1, {Stop::CancelButton, -1}, 'A'},
    {"lbl_URL", -1, {Stop::Link, -1}, 'L'},
};

} // namespace

const PlaceOf* EntryFor(const std::string& control, int index)
{
    for (const PlaceOf& p : kPlaces)
        if (control == p.control && index == p.index)
            return &p;
    return nullptr;
}

const PlaceOf* EntryFor(const Place& place)
{
    for (const PlaceOf& p : kPlaces)
        if (p.place == place && p.key)
            return &p;
    return nullptr;
}

const PlaceOf* Places(int* count)
{
    *count = static_cast<int>(sizeof(kPlaces) / sizeof(kPlaces[0]));
    return kPlaces;
}

std::wstring CaptionOf(const LayoutControl& control)
{
    const LayoutValue* caption = control.Find("Caption");
    return WideFromUtf8(caption ? caption->text : "");
}
