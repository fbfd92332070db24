// The settings dialog's keyboard, where Windows says its user needs one: keys move, choose, press and
// close as in any Windows dialog (DialogKeyboard decides), every caption shows its access key, and
// the focus mark follows Windows' keyboard cues. Otherwise the dialog answers the mouse alone, as it
// always has.
#include "settings_dialog.h"

#include "dialog_places.h"
#include "forms/access_key.h"
#include "forms/win32_forms.h"

#include <cctype>

namespace {

bool SystemFlag(UINT action)
{
    BOOL on = FALSE;
    return SystemParametersInfoW(action, 0, &on, 0) && on;
}

} // namespace

// What Windows says of its user, read at opening and followed while open: a screen reader, the
// keyboard preferred, access keys always underlined or a high-contrast theme call for the keyboard;
// the theme for the system's colours.
void SettingsDialog::FollowSystemSettings(bool opening)
{
    const bool cues = SystemFlag(SPI_GETKEYBOARDCUES);
    const bool highContrast = HighContrast();
    const bool keyboard = SystemFlag(SPI_GETSCREENREADER) || SystemFlag(SPI_GETKEYBOARDPREF) || cues || highContrast;
    const bool keyboardCame = keyboard && (opening || !m_keyboard);
    const bool themeChanged = highContrast != m_highContrast;
    if (!opening && keyboard == m_keyboard && !themeChanged)
        return;
    m_keyboard = keyboard;
    m_highContrast = highContrast;
    m_form.UseSystemColours(highContrast);
    // The captions show their access keys only where the keyboard is in use; otherwise they are the
    // contract's.
    int count = 0;
    const PlaceOf* places = Places(&count);
    for (int i = 0; i < count; ++i) {
        const PlaceOf& p = places[i];
        if (!p.key)
            continue;
        for (HWND container : {m_hWnd, Pic_C})
            if (Lightweight* l = m_form.Find(container, p.control, p.index)) {
                l->text = keyboard ? CaptionWithAccessKey(CaptionOf(l->layout), p.key) : CaptionOf(l->layout);
                l->prefix = keyboard;
            }
        CommandButton* button = p.place.stop == Stop::FileButton ? Cmd_File
                                : p.place.stop == Stop::SetButton ? Cmd_Set
                                : p.place.stop == Stop::CancelButton ? Cmd_Can : nullptr;
        if (button) {
            button->SetAccessKey(keyboard ? p.key : 0);
            if (themeChanged)
                button->ThemeChanged();
        }
    }
    if (keyboardCame) {
        // Focus marks and access keys as the user's keyboard cues say; the focus on the first control.
        SendMessageA(m_hWnd, WM_CHANGEUISTATE, MAKEWPARAM(cues ? UIS_CLEAR : UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
        if (FocusedPlace().stop == Stop::None)
            FocusPlace(m_keys->First(CurrentKeyState()));
    }
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

KeyState SettingsDialog::CurrentKeyState() const
{
    KeyState state;
    state.chosenKind = m_settings.BGM_Kind;
    state.trackBoxEnabled = IsWindowEnabled(BGM_Repeat) != FALSE;
    state.fileButtonEnabled = Cmd_File && Cmd_File->Model().Enabled();
    state.trackListDropped = SendMessageA(BGM_Repeat, CB_GETDROPPEDSTATE, 0, 0) != 0;
    return state;
}

Place SettingsDialog::FocusedPlace() const
{
    HWND focus = GetFocus();
    if (!focus)
        return Place();
    if (focus == BGM_Repeat || GetParent(focus) == BGM_Repeat)
        return {Stop::TrackBox, -1};
    if (Cmd_File && focus == Cmd_File->Window())
        return {Stop::FileButton, 0};
    if (Cmd_Set && focus == Cmd_Set->Window())
        return {Stop::SetButton, -1};
    if (Cmd_Can && focus == Cmd_Can->Window())
        return {Stop::CancelButton, -1};
    return ContainerOf(m_drawnFocus) == focus ? m_drawnFocus : Place();
}

HWND SettingsDialog::ContainerOf(const Place& place) const
{
    switch (place.stop) {
    case Stop::MusicRow:
    case Stop::DisplayRow:
        return Pic_C;
    case Stop::Link:
        return m_hWnd;
    default:
        return nullptr;
    }
}

// A drawn control's place: its label (as far as its text reaches) with its indicator.
RECT SettingsDialog::PlaceRect(const Place& place)
{
    HWND container = ContainerOf(place);
    const PlaceOf* entry = EntryFor(place);
    const Lightweight* label = container && entry ? m_form.Find(container, entry->control, entry->index) : nullptr;
    if (!label)
        return RECT();
    RECT r = m_form.PressArea(container, *label);
    const char* indicator = place.stop == Stop::MusicRow ? "Img_BGM" : place.stop == Stop::DisplayRow ? "Img_Disp" : nullptr;
    if (const Lightweight* image = indicator ? m_form.Find(container, indicator, place.index) : nullptr)
        UnionRect(&r, &r, &image->pixels);
    return r;
}

void SettingsDialog::FocusPlace(const Place& place)
{
    HWND before = ContainerOf(m_drawnFocus);
    HWND container = ContainerOf(place);
    m_drawnFocus = container ? place : Place();
    if (before)
        InvalidateRect(before, nullptr, FALSE);
    if (container) {
        SetFocus(container);
        InvalidateRect(container, nullptr, FALSE);
        NotifyDrawn(EVENT_OBJECT_FOCUS, place);
        return;
    }
    CommandButton* button = place.stop == Stop::FileButton ? Cmd_File
                            : place.stop == Stop::SetButton ? Cmd_Set
                            : place.stop == Stop::CancelButton ? Cmd_Can : nullptr;
    if (button)
        SetFocus(button->Window());
    else if (place.stop == Stop::TrackBox)
        SetFocus(BGM_Repeat);
}

void SettingsDialog::Carry(const KeyResult& result, bool moveFocus)
{
    if (moveFocus && result.act != Act::Save && result.act != Act::Cancel && result.act != Act::Nothing)
        FocusPlace(result.place);
    switch (result.act) {
    case Act::Choose:
        ChooseSource(result.place.index);
        break;
    case Act::Toggle:
        ToggleDisplay(result.place.index);
        break;
    case Act::Press:
        if (result.place.stop == Stop::FileButton)
            Cmd_File_Click(0);
        else if (result.place.stop == Stop::SetButton)
            Cmd_Set_Click();
        else if (result.place.stop == Stop::CancelButton)
            Cmd_Can_Click();
        break;
    case Act::Open:
        lbl_URL_Click();
        break;
    case Act::Save:
        Cmd_Set_Click();
        break;
    case Act::Cancel:
        Cmd_Can_Click();
        break;
    default:
        break;
    }
}

bool SettingsDialog::HandleKey(const MSG& msg)
{
    if (!msg.hwnd || (msg.hwnd != m_hWnd && !IsChild(m_hWnd, msg.hwnd)))
        return false;
    const KeyState state = CurrentKeyState();
    const Place focus = FocusedPlace();
    KeyResult result;
    switch (msg.message) {
    case WM_KEYDOWN: {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        Key key;
        switch (msg.wParam) {
        case VK_TAB: key = shift ? Key::ShiftTab : Key::Tab; break;
        case VK_UP: key = Key::Up; break;
        case VK_DOWN: key = Key::Down; break;
        case VK_LEFT: key = Key::Left; break;
        case VK_RIGHT: key = Key::Right; break;
        case VK_SPACE: key = Key::Space; break;
        case VK_RETURN: key = Key::Enter; break;
        case VK_ESCAPE: key = Key::Escape; break;
        default: return false;
        }
        result = m_keys->Press(key, focus, state);
        if (result.act == Act::Focus || result.act == Act::Choose)  // navigation shows where the focus is
            SendMessageA(m_hWnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        break;
    }
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU)  // Alt shows the access keys
            SendMessageA(m_hWnd, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
        return false;
    case WM_SYSCHAR:
    case WM_CHAR:
        // A letter alone is an access key too, except where it is typed into the track box.
        if ((msg.message == WM_CHAR && focus.stop == Stop::TrackBox) || msg.wParam > 0x7F ||
            !std::isalpha(static_cast<int>(msg.wParam)))
            return false;
        result = m_keys->AccessKey(static_cast<char>(msg.wParam), state);
        break;
    default:
        return false;
    }
    if (result.act == Act::Nothing)
        return false;
    Carry(result, true);
    return true;
}
