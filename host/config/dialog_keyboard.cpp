#include "dialog_keyboard.h"

#include <algorithm>
#include <cctype>

DialogKeyboard::DialogKeyboard(std::vector<Place> tabOrder, std::vector<int> musicRowsOnScreen,
                               std::vector<std::pair<char, Place>> accessKeys)
    : m_tabOrder(std::move(tabOrder)), m_musicRows(std::move(musicRowsOnScreen)), m_accessKeys(std::move(accessKeys))
{
}

bool DialogKeyboard::Available(const Place& place, const KeyState& state) const
{
    switch (place.stop) {
    case Stop::TrackBox:
        return state.trackBoxEnabled;
    case Stop::FileButton:
        return state.fileButtonEnabled;
    case Stop::None:
        return false;
    default:
        return true;
    }
}

// The music rows take one stop: the chosen one, or the top one where none is chosen.
Place DialogKeyboard::GroupEntry(const KeyState& state) const
{
    const bool chosen = std::find(m_musicRows.begin(), m_musicRows.end(), state.chosenKind) != m_musicRows.end();
    return {Stop::MusicRow, chosen ? state.chosenKind : (m_musicRows.empty() ? -1 : m_musicRows.front())};
}

// The next available place in tab order, forwards (1) or backwards (-1), wrapping; the music group
// is left from its last member forwards and from its first backwards.
Place DialogKeyboard::Step(const Place& focus, int direction, const KeyState& state) const
{
    const int count = static_cast<int>(m_tabOrder.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        const bool here = m_tabOrder[i] == focus || (focus.stop == Stop::MusicRow && m_tabOrder[i].stop == Stop::MusicRow);
        if (here && (at < 0 || direction > 0))
            at = i;
    }
    if (at < 0)
        at = direction > 0 ? count - 1 : 0;  // from nowhere: the first place forwards, the last backwards
    for (int n = 1; n <= count; ++n) {
        const Place& candidate = m_tabOrder[static_cast<std::size_t>(((at + direction * n) % count + count) % count)];
        if (candidate.stop == Stop::MusicRow)
            return GroupEntry(state);
        if (Available(candidate, state))
            return candidate;
    }
    return focus;
}

Place DialogKeyboard::First(const KeyState& state) const
{
    for (const Place& p : m_tabOrder)
        if (p.stop == Stop::MusicRow)
            return GroupEntry(state);
        else if (Available(p, state))
            return p;
    return Place();
}

KeyResult DialogKeyboard::Press(Key key, const Place& focus, const KeyState& state) const
{
    const bool inTrackBox = focus.stop == Stop::TrackBox;
    switch (key) {
    case Key::Tab:
    case Key::ShiftTab:
        return {Act::Focus, Step(focus, key == Key::Tab ? 1 : -1, state)};
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right: {
        // Within the music rows, on screen from top to bottom, wrapping; the row reached is chosen.
        const auto at = std::find(m_musicRows.begin(), m_musicRows.end(), focus.index);
        if (focus.stop != Stop::MusicRow || at == m_musicRows.end())
            return {};
        const int count = static_cast<int>(m_musicRows.size());
        const int step = key == Key::Up || key == Key::Left ? count - 1 : 1;
        return {Act::Choose, {Stop::MusicRow, m_musicRows[(static_cast<int>(at - m_musicRows.begin()) + step) % count]}};
    }
    case Key::Space:
        switch (focus.stop) {
        case Stop::MusicRow:
            return {Act::Choose, focus};
        case Stop::DisplayRow:
            return {Act::Toggle, focus};
        case Stop::FileButton:
        case Stop::SetButton:
        case Stop::CancelButton:
            return Available(focus, state) ? KeyResult{Act::Press, focus} : KeyResult{};
        default:
            return {};
        }
    case Key::Enter:
        if (inTrackBox && state.trackListDropped)
            return {};
        if (focus.stop == Stop::FileButton || focus.stop == Stop::SetButton || focus.stop == Stop::CancelButton)
            return Available(focus, state) ? KeyResult{Act::Press, focus} : KeyResult{};
        if (focus.stop == Stop::Link)
            return {Act::Open, focus};
        return {Act::Save, focus};
    case Key::Escape:
        return inTrackBox && state.trackListDropped ? KeyResult{} : KeyResult{Act::Cancel, focus};
    }
    return {};
}

KeyResult DialogKeyboard::AccessKey(char letter, const KeyState& state) const
{
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const auto& [key, place] : m_accessKeys) {
        if (key != upper || !Available(place, state))
            continue;
        switch (place.stop) {
        case Stop::MusicRow:
            return {Act::Choose, place};
        case Stop::DisplayRow:
            return {Act::Toggle, place};
        case Stop::Link:
            return {Act::Open, place};
        case Stop::TrackBox:
            return {Act::Focus, place};
        default:
            return {Act::Press, place};
        }
    }
    return {};
}
