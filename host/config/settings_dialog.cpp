#include "settings_dialog.h"

#include "dialog_classes.h"
#include "dialog_model.h"
#include "track_box.h"
#include "main/lunaquill_b.h"
#include "main/texts.h"
#include "forms/win32_forms.h"

#include <shellapi.h>
#include <commdlg.h>

#include <vector>

namespace {

const char kFormClass[] = "Lunaquill_P";
const char kPictureClass[] = "Lunaquill.PictureBox";
const int kIdCmdFile = 1100, kIdCmdSet = 1110, kIdCmdCan = 1111;
// The picker's buffer was 255 bytes: a longer path was never taken, and the settings file cuts its
// values there.
const std::size_t kLongestMusicPath = 255;

// Horizontal lines of a vertical gradient across the whole client area.
template <typename RowColour>
void PaintGradient(HWND window, HDC dc, RowColour colourOf)
{
    RECT r = {};
    GetClientRect(window, &r);
    for (int y = 0; y <= r.bottom; ++y) {
        HPEN pen = CreatePen(PS_SOLID, 1, colourOf(y, r.bottom));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, 0, y, nullptr);
        LineTo(dc, r.right, y);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

} // namespace

namespace {

// The captions of another language in place of the layout's.
void UseLanguage(LayoutControl& form, const UiTexts& texts)
{
    for (int i = 0; i < texts.captionCount; ++i) {
        const CaptionText& t = texts.captions[i];
        std::vector<LayoutControl*> open = {&form};
        while (!open.empty()) {
            LayoutControl* c = open.back();
            open.pop_back();
            if (c->name == t.control && c->index == t.index)
                c->Set("Caption", LayoutValue::OfText(t.text));
            for (LayoutControl& child : c->children)
                open.push_back(&child);
        }
    }
}

const DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

} // namespace

SettingsDialog::SettingsDialog(Settings& settings)
    : m_settings(settings), m_form(kPictureClass, this), m_owner(nullptr), m_hWnd(nullptr), Pic_C(nullptr), BGM_Repeat(nullptr), Pic_Dummy(nullptr),
      Cmd_File(nullptr), Cmd_Set(nullptr), Cmd_Can(nullptr), Img_Ra{nullptr, nullptr}, m_hand(nullptr),
      m_trackBack(RGB(255, 255, 255)), m_trackBrush(nullptr), m_lastFocus(nullptr), m_closing(false)
{
}

SettingsDialog::~SettingsDialog()
{
    if (m_trackBrush)
        DeleteObject(m_trackBrush);
    if (m_owner)
        DestroyWindow(m_owner);
}

void SettingsDialog::ShowModal(Settings& settings)
{
    SettingsDialog dialog(settings);
    if (!dialog.Create())
        return;
    dialog.Form_Load();
    ShowWindow(dialog.m_hWnd, SW_SHOW);
    SetForegroundWindow(dialog.m_hWnd);
    MSG msg;
    while (IsWindow(dialog.m_hWnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog.m_hWnd, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        // Noted here, not when the dialog is deactivated: a modal picker disables the dialog first,
        // and a disabled window's controls lose the focus before the deactivation arrives.
        HWND focus = GetFocus();
        if (focus && IsWindow(dialog.m_hWnd) && IsChild(dialog.m_hWnd, focus))
            dialog.m_lastFocus = focus;
    }
}

bool SettingsDialog::Create()
{
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult parsed = ParseLayout(LayoutForm::LayoutText("LUNAQUILL_P"), classes, count);
    if (!parsed.ok || parsed.controls.empty())
        return false;
    m_layout = parsed.controls[0];
    UseLanguage(m_layout, UserTexts());
    if (const LayoutValue* font = m_layout.Find("Font"))
        m_formFont = font->font;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    m_hand = LoadCursorA(instance, "HAND");
    m_hWnd = CreateForm(instance);
    if (!m_hWnd)
        return false;
    // Made, the window knows its monitor's scale and its frame: the client area is sized from them.
    m_form.SetDpi(DpiOf(m_hWnd));
    SizeForm(nullptr);
    m_form.CreateChildren(m_layout, m_hWnd, m_formFont,
                          [this](const LayoutControl& c, HWND parent, const RECT&) { return MakeButton(c, parent); });
    TakeControls();
    return true;
}


// The form's client area the layout's size at the form's DPI, in the place Windows suggests where it
// gives one (the window moved to a monitor of another scale). The frame is measured as it is, so the
// client area comes out exact whatever the frame's scale.
SIZE SettingsDialog::ClientPixels(int dpi) const
{
    return {TwipsToPixels(LayoutInteger(m_layout, "ClientWidth", 7440), dpi),
            TwipsToPixels(LayoutInteger(m_layout, "ClientHeight", 3645), dpi)};
}

void SettingsDialog::SizeForm(const RECT* suggested)
{
    const SIZE size = ClientPixels(m_form.Dpi());
    const int width = size.cx, height = size.cy;
    if (suggested)
        SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window, client;
    GetWindowRect(m_hWnd, &window);
    GetClientRect(m_hWnd, &client);
    if (client.right != width || client.bottom != height)
        SetWindowPos(m_hWnd, nullptr, 0, 0, width + (window.right - window.left) - client.right,
                     height + (window.bottom - window.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The form moved to a monitor of another scale: everything laid out again from twips at the new DPI.
void SettingsDialog::DpiChanged(int dpi, const RECT& suggested)
{
    m_form.Relayout(dpi);
    SizeForm(&suggested);
    for (CommandButton* button : {Cmd_File, Cmd_Set, Cmd_Can})
        if (button)
            button->SetDpi(dpi);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

// Asked before a move onto a monitor of another scale: the window's size there, frame included, so
// that the rectangle Windows then suggests is the one the form takes and it lands where the user
// dropped it (scaling the old size instead would be off by the frame's rounding, and the resize
// after it could pull the form back across the monitors' edge). Windows 10 1703 and later ask; the
// frame's size at a DPI is known from 1607 on.
bool SettingsDialog::ScaledSize(int dpi, SIZE* size) const
{
    using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjust = reinterpret_cast<AdjustForDpi>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    const SIZE client = ClientPixels(dpi);
    RECT r = {0, 0, client.cx, client.cy};
    if (!adjust || !adjust(&r, kFormStyle, FALSE, kFormExStyle, static_cast<UINT>(dpi)))
        return false;  // the system scales the present size itself
    size->cx = r.right - r.left;
    size->cy = r.bottom - r.top;
    return true;
}

// The form's window, owned by a hidden window that keeps it out of the taskbar.
HWND SettingsDialog::CreateForm(HINSTANCE instance)
{
    RegisterFormClass(kFormClass, FormProcedure, nullptr, nullptr, LoadIconA(instance, MAKEINTRESOURCEA(1)));
    RegisterFormClass(kPictureClass, PictureProcedure);
    m_owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    // Made larger than its frame; SizeForm gives it its size.
    const LayoutValue* caption = m_layout.Find("Caption");
    HWND form = CreateWindowExA(kFormExStyle, kFormClass, AnsiFromUtf8(caption ? caption->text : "").c_str(),
                                kFormStyle, 0, 0, 400, 300, m_owner, nullptr, instance, this);
    if (form)
        SendMessageA(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(1))));
    return form;
}

// The form's own push buttons, Command controls, by name: the two file buttons, Set and Cancel.
HWND SettingsDialog::MakeButton(const LayoutControl& c, HWND parent)
{
    if (c.className != "Lunaquill.Command")
        return nullptr;
    const int id = c.name == "Cmd_Set" ? kIdCmdSet : c.name == "Cmd_Can" ? kIdCmdCan : kIdCmdFile + (c.index > 0 ? c.index : 0);
    CommandButton* button = CommandButton::Create(parent, id, c, m_formFont, m_form.Dpi());
    (c.name == "Cmd_Set" ? Cmd_Set : c.name == "Cmd_Can" ? Cmd_Can : Cmd_File) = button;
    return button ? button->Window() : nullptr;
}

// The controls the dialog works with, from what the layout made.
void SettingsDialog::TakeControls()
{
    Pic_C = m_form.Window("Pic_C");
    Pic_Dummy = m_form.Window("Pic_Dummy");
    BGM_Repeat = m_form.Window("BGM_Repeat");
    const LayoutControl* panel = m_layout.Child("Pic_C");
    const LayoutControl* box = panel ? panel->Child("BGM_Repeat") : nullptr;
    m_trackBack = box ? LayoutColour(*box, "BackColor", RGB(255, 255, 255)) : RGB(255, 255, 255);
    m_trackBrush = CreateSolidBrush(m_trackBack);
    // The two Img_Ra images lie outside the client area: they are only the indicators' picture source.
    for (int i = 0; i < 2; ++i)
        if (Lightweight* source = m_form.Find(m_hWnd, "Img_Ra", i))
            Img_Ra[i] = source->picture;
    // A long folder must not push the chosen file's name out of sight.
    if (Lightweight* name = m_form.Find(Pic_C, "lbl_Fname", 0))
        name->path = true;
}

void SettingsDialog::ResetButtons(HWND form, bool initialise, bool enable)
{
    struct Walk {
        bool initialise, enable;
        static BOOL CALLBACK Each(HWND child, LPARAM data)
        {
            const Walk* w = reinterpret_cast<const Walk*>(data);
            if (CommandButton* button = CommandButton::FromWindow(child)) {
                if (w->initialise)
                    button->Model().Initialize();
                else
                    button->Model().SetEnabled(w->enable);
            }
            return TRUE;  // a control that is no button is skipped
        }
    } walk = {initialise, enable};
    EnumChildWindows(form, Walk::Each, reinterpret_cast<LPARAM>(&walk));
}

void SettingsDialog::Form_Load()
{
    // 1. Centred across, in the upper third down (in twips).
    const int dpi = m_form.Dpi();
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    long left = 0, top = 0;
    DialogPosition(PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi),
                   PixelsToTwips(window.right - window.left, dpi), PixelsToTwips(window.bottom - window.top, dpi), &left,
                   &top);
    SetWindowPos(m_hWnd, nullptr, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // 2. Every button starts its hover tracking.
    ResetButtons(m_hWnd, true, true);
    // 3.-6. The source and the controls it enables.
    ShowSource();
    ShowDisplayChoices();
    // 7.-8. The track box.
    SetWindowTextA(BGM_Repeat, FormatTrack(m_settings.BGM_Track).c_str());
    for (const std::string& entry : TrackListEntries())
        SendMessageA(BGM_Repeat, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    // 9. The file.
    if (Lightweight* name = m_form.Find(Pic_C, "lbl_Fname", 0))
        name->text = WideFrom(m_settings.BGM_File, CP_ACP);
    // 10.-11. The zoom grows from the mouse.
    POINT cursor;
    if (GetCursorPos(&cursor)) {
        Cursor_X = static_cast<std::int16_t>(cursor.x);
        Cursor_Y = static_cast<std::int16_t>(cursor.y);
    } else {
        Cursor_X = Cursor_Y = 0;
    }
    Zoom_Open(m_hWnd);
    // 12. The default pointer.
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

void SettingsDialog::ShowSource()
{
    const SourceControls c = ControlsFor(m_settings.BGM_Kind);
    EnableWindow(BGM_Repeat, c.trackBoxEnabled);
    for (int i = 0; i < 3; ++i)
        if (Lightweight* image = m_form.Find(Pic_C, "Img_BGM", i))
            image->picture = Img_Ra[i == c.tickedIndicator ? 1 : 0];
    if (Cmd_File)
        Cmd_File->Model().SetEnabled(c.fileButtonEnabled);
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::ShowDisplayChoices()
{
    for (int i = 0; i < kDisplayChoiceCount; ++i)
        if (Lightweight* image = m_form.Find(Pic_C, "Img_Disp", i))
            image->picture = Img_Ra[DisplayChoiceTicked(m_settings, i) ? 1 : 0];
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::ChooseSource(int index)
{
    m_settings.BGM_Kind = static_cast<std::int16_t>(index);
    ShowSource();
}

void SettingsDialog::Cmd_File_Click(int index)
{
    // The picker speaks wide text, so that a name the system's code page cannot spell is seen and
    // refused rather than stored as question marks.
    std::vector<wchar_t> file(32768, L'\0');
    const std::wstring filter = WideFrom(UserTexts().filterName, 932) + L'\0' + L"*.MP3;*.WAV" + L'\0' + L'\0';
    const std::wstring title = WideFrom(UserTexts().pickerTitle, 932);
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
        MessageBoxW(m_hWnd, WideFrom(UserTexts().musicNameUnspellable, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(),
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (path.size() >= kLongestMusicPath)
        return;  // longer than the settings file keeps a value: nothing changes, as ever
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
        MessageBoxW(m_hWnd, WideFrom(UserTexts().settingsNotSaved, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(), MB_OK);
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

void SettingsDialog::Form_Unload()
{
    if (m_closing)
        return;
    m_closing = true;
    Zoom_Close(m_hWnd);
    DestroyWindow(m_hWnd);
}

LRESULT SettingsDialog::TrackBoxColours(HDC dc)
{
    // The layout's white, also while disabled (where the system would grey the box); the text takes
    // the system's disabled colour then.
    SetBkColor(dc, m_trackBack);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(BGM_Repeat) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return reinterpret_cast<LRESULT>(m_trackBrush ? m_trackBrush : GetStockObject(WHITE_BRUSH));
}

void SettingsDialog::PaintForm(HDC dc)
{
    PaintGradient(m_hWnd, dc, [](int y, int h) { return static_cast<COLORREF>(DialogRowColour(y, h)); });
    m_form.PaintDrawn(m_hWnd, dc);
}

void SettingsDialog::PaintPanel(HDC dc)
{
    PaintGradient(Pic_C, dc, [](int y, int h) { return static_cast<COLORREF>(PanelRowColour(y, h)); });
    m_form.PaintDrawn(Pic_C, dc);
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

LRESULT CALLBACK SettingsDialog::FormProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SettingsDialog* d = static_cast<SettingsDialog*>(FormObject(hWnd, message, lParam));
    if (!d)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT painted = 0;
    if (HandleOwnPainting(hWnd, message, wParam, [d](HDC dc) { d->PaintForm(dc); }, &painted))
        return painted;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam) {
            const int id = LOWORD(wParam);
            if (id == kIdCmdSet)
                d->Cmd_Set_Click();
            else if (id == kIdCmdCan)
                d->Cmd_Can_Click();
            else if (id >= kIdCmdFile && id < kIdCmdFile + 2)
                d->Cmd_File_Click(id - kIdCmdFile);
        }
        return 0;  // Enter (IDOK) and Escape (IDCANCEL) from the dialog manager do nothing
    case WM_SETCURSOR:
        // The hand over the link.
        if (reinterpret_cast<HWND>(wParam) == hWnd && LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hWnd, &p);
            if (d->OnLink(MAKELPARAM(p.x, p.y))) {
                SetCursor(d->m_hand);
                return TRUE;
            }
        }
        break;
    case WM_ACTIVATE:
        // Back to the control that had the focus, as a dialog does (after the file picker, Alt+Tab).
        if (LOWORD(wParam) != WA_INACTIVE && d->m_lastFocus && IsWindow(d->m_lastFocus) &&
            IsWindowEnabled(d->m_lastFocus) && IsWindowVisible(d->m_lastFocus)) {
            SetFocus(d->m_lastFocus);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        d->OnMouse(message, lParam);
        return 0;
    case WM_GETDPISCALEDSIZE:
        return d->ScaledSize(static_cast<int>(wParam), reinterpret_cast<SIZE*>(lParam)) ? TRUE : FALSE;
    case WM_DPICHANGED:
        d->DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        d->Form_Unload();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK SettingsDialog::PictureProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    SettingsDialog* d = static_cast<SettingsDialog*>(FormObject(hWnd, message, lParam));
    if (!d || hWnd != d->Pic_C)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT painted = 0;
    if (HandleOwnPainting(hWnd, message, wParam, [d](HDC dc) { d->PaintPanel(dc); }, &painted))
        return painted;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A press with any button on a row's label or indicator chooses that source, or turns that
        // display choice on or off.
        for (const Lightweight& l : d->m_form.Drawn(hWnd)) {
            if (!PointIn(d->m_form.PressArea(hWnd, l), lParam))
                continue;
            if (l.name == "lbl_BGM" || l.name == "Img_BGM") {
                d->ChooseSource(l.index);
                break;
            }
            if (l.name == "lbl_Disp" || l.name == "Img_Disp") {
                ToggleDisplayChoice(d->m_settings, l.index);
                d->ShowDisplayChoices();
                break;
            }
        }
        return 0;
    case WM_COMMAND:
        return SendMessageA(d->m_hWnd, message, wParam, lParam);  // the file button's click
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        return d->TrackBoxColours(reinterpret_cast<HDC>(wParam));  // only the track box asks
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
