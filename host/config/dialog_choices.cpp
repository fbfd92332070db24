// The settings dialog's choices: the music source, the display rows, the music file, Set, Cancel
// and the home-page link.
#include "settings_dialog.h"

#include "track_box.h"
#include "main/lunaquill_b.h"
#include "forms/win32_forms.h"

#include <shellapi.h>
#include <commdlg.h>

namespace {

// The picker's buffer was 255 bytes: a longer path was never taken, and the settings file cuts its
// values there.
const std::size_t kLongestMusicPath = 255;

} // namespace

void SettingsDialog::ShowSource()
{
    const SourceControls c = ControlsFor(m_settings.BGM_Kind);
    EnableWindow(BGM_Repeat, c.trackBoxEnabled);
    for (int i = 0; i < 3; ++i)
        if (Lightweight* image = m_form.Find(Pic_C, "Img_BGM", i))
            image->picture = Img_Ra[i == c.tickedIndicator ? 1 : 0];
    if (Cmd_File)
        Cmd_File->Model().SetEnabled(c.fileButtonEnabled);
    for (int i = 0; i < 3; ++i) {
        if (Lightweight* image = m_form.Find(Pic_C, "Img_BGM", i))
            image->checked = i == c.tickedIndicator;
        NotifyDrawn(EVENT_OBJECT_STATECHANGE, {Stop::MusicRow, i});
    }
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::ShowDisplayChoices()
{
    for (int i = 0; i < kDisplayChoiceCount; ++i)
        if (Lightweight* image = m_form.Find(Pic_C, "Img_Disp", i)) {
            image->picture = Img_Ra[DisplayChoiceTicked(m_settings, i) ? 1 : 0];
            image->checked = DisplayChoiceTicked(m_settings, i);
            NotifyDrawn(EVENT_OBJECT_STATECHANGE, {Stop::DisplayRow, i});
        }
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::ChooseSource(int index)
{
    m_settings.BGM_Kind = static_cast<std::int16_t>(index);
    ShowSource();
}

void SettingsDialog::ToggleDisplay(int row)
{
    ToggleDisplayChoice(m_settings, row);
    ShowDisplayChoices();
}

void SettingsDialog::Cmd_File_Click(int index)
{
    // The picker speaks wide text, so that a name the system's code page cannot spell is seen and
    // refused rather than stored as question marks.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring filter = WideFrom(m_texts.filterName, 932) + L'\0' + L"*.MP3;*.WAV" + L'\0' + L'\0';
    const std::wstring title = WideFrom(m_texts.pickerTitle, 932);
    // Where the last file was, or else the program's own folder (whatever characters it holds).
    const std::wstring start = m_settings.BGM_Folder.empty() ? ProgramFolder() : WideFromAnsi(m_settings.BGM_Folder);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = start.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = 0;
    if (!GetOpenFileNameW(&ofn))
        return;  // cancelled: nothing changes
    std::string path;
    if (!AnsiExactly(file.data(), &path)) {
        MessageBoxW(m_hWnd, WideFrom(m_texts.musicNameUnspellable, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Longer than the settings file keeps a value: refused, and said, as an unspellable name is.
    if (path.size() >= kLongestMusicPath) {
        MessageBoxW(m_hWnd, WideFrom(m_texts.musicPathTooLong, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    FileChosen(m_settings, path);
    if (Lightweight* name = m_form.Find(Pic_C, "lbl_Fname", index))
        name->text = WideFrom(m_settings.BGM_File, CP_ACP);
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::Cmd_Set_Click()
{
    // The choice is never lost in silence: when no place keeps it, the user is told and the dialog
    // stays open.
    if (!Save_Settings(SettingsToWrite(m_settings, TrackFromBox(WideWindowText(BGM_Repeat))))) {
        MessageBoxW(m_hWnd, WideFrom(m_texts.settingsNotSaved, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(), MB_OK);
        return;
    }
    Form_Unload();
}

void SettingsDialog::Cmd_Can_Click()
{
    Form_Unload();
}

void SettingsDialog::lbl_URL_Click()
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // The caption is the address.
    const LayoutControl* url = m_layout.Child("lbl_URL");
    const LayoutValue* address = url ? url->Find("Caption") : nullptr;
    if (address)
        ShellExecuteA(m_hWnd, "open", AnsiFromUtf8(address->text).c_str(), "", "", SW_SHOWNORMAL);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
}

// The hand over the link, where the pointer is now.
bool SettingsDialog::HandOverLink()
{
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(m_hWnd, &p);
    if (!OnLink(MAKELPARAM(p.x, p.y)))
        return false;
    SetCursor(m_hand);
    return true;
}

bool SettingsDialog::OnLink(LPARAM lParam)
{
    const Lightweight* url = m_form.Find(m_hWnd, "lbl_URL", -1);
    return url && PointIn(url->pixels, lParam);
}

// The link opens on a press and a release both on it (LinkClick); the capture brings the release here
// wherever it happens.
bool SettingsDialog::OnMouse(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const bool onLink = OnLink(lParam);
        m_link.Press(onLink);
        if (onLink)
            SetCapture(m_hWnd);
        return true;
    }
    case WM_LBUTTONUP: {
        const bool click = m_link.Release(OnLink(lParam));
        if (GetCapture() == m_hWnd)
            ReleaseCapture();
        if (click)
            lbl_URL_Click();
        return true;
    }
    case WM_CAPTURECHANGED:
        m_link.Press(false);  // a press whose release will never come here
        return true;
    default:
        return false;
    }
}
