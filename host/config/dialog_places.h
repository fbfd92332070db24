// The places of the settings dialog that the keyboard reaches, with the control the layout names for
// each (a label for a drawn control, or the track box) and its access key: one table for what
// assistive technology is told and for the keys.
#pragma once

#include "config/dialog_keyboard.h"
#include "forms/layout.h"

#include <string>

struct PlaceOf {
    const char* control;
    int index;
    Place place;
    char key;  // 0: the control has none (its label has)
};

// The entry of a control, and the entry with the access key of a place; null if there is none.
const PlaceOf* EntryFor(const std::string& control, int index);
const PlaceOf* EntryFor(const Place& place);
// Every entry, in the table's order.
const PlaceOf* Places(int* count);
// A label's or button's caption from its layout (in the dialog's language).
std::wstring CaptionOf(const LayoutControl& control);
