// The settings dialog's keyboard, where Windows says its user needs one (a screen reader runs, the
// keyboard is preferred, access keys are always underlined, or a high-contrast theme is on): what
// each key does, decided without the platform. The dialog carries it out.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The places the keyboard stops at. A music row's and a display row's index is its layout index.
enum class Stop { None, MusicRow, TrackBox, FileButton, DisplayRow, SetButton, CancelButton, Link };

struct Place {
    Stop stop = Stop::None;
    int index = -1;
    bool operator==(const Place& other) const { return stop == other.stop && index == other.index; }
    bool operator!=(const Place& other) const { return !(*this == other); }
};

enum class Key { Tab, ShiftTab, Up, Down, Left, Right, Space, Enter, Escape };

// Nothing: the key is the focused control's own (typing in the track box, its list). Focus: move
// there. Choose a music row, Toggle a display row, Press a button, Open the link (each also moves
// the focus there). Save and Cancel: the dialog's Set and Cancel.
enum class Act { Nothing, Focus, Choose, Toggle, Press, Open, Save, Cancel };

struct KeyResult {
    Act act = Act::Nothing;
    Place place;
    bool operator==(const KeyResult& other) const { return act == other.act && place == other.place; }
};

// What the keys depend on besides the focus.
struct KeyState {
    int chosenKind = 0;  // BGM_Kind; a music row of another index is not chosen
    bool trackBoxEnabled = false;
    bool fileButtonEnabled = false;
    bool trackListDropped = false;  // the track box's list is open: Enter and Escape are the list's
};

class DialogKeyboard {
public:
    // tabOrder: every place in the layout's tab order (the music rows are one group: Tab enters it
    // at the chosen row, or the top one); musicRowsOnScreen: the music rows' indexes from top to
    // bottom, which the arrow keys follow; accessKeys: each place's letter (upper case). Where the
    // letter belongs to a label (the track box's), its place is the control the label names.
    DialogKeyboard(std::vector<Place> tabOrder, std::vector<int> musicRowsOnScreen,
                   std::vector<std::pair<char, Place>> accessKeys);

    // Where the focus starts: the first place Tab would reach.
    Place First(const KeyState& state) const;
    KeyResult Press(Key key, const Place& focus, const KeyState& state) const;
    // Alt and a letter, or the letter alone where the focus is not in the track box.
    KeyResult AccessKey(char letter, const KeyState& state) const;

private:
    bool Available(const Place& place, const KeyState& state) const;
    Place GroupEntry(const KeyState& state) const;
    Place Step(const Place& focus, int direction, const KeyState& state) const;

    std::vector<Place> m_tabOrder;
    std::vector<int> m_musicRows;
    std::vector<std::pair<char, Place>> m_accessKeys;
};
