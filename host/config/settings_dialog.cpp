#include "settings_dialog.h"

#include "dialog_model.h"
#include "track_box.h"
#include "main/lunaquill_b.h"
#include "main/texts.h"
#include "main/win32_forms.h"

#include <shellapi.h>
#include <commdlg.h>

namespace {

const char kFormClass[] = "Lunaquill_P";
const char kPictureClass[] = "Lunaquill.PictureBox";
const int kIdCmdFile = 1100, kIdCmdSet = 1110, kIdCmdCan = 1111, kIdRepeat = 1102;

std::string LayoutText(const char* resource)
{
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), resource, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found)
        return std::string();
    HGLOBAL loaded = LoadResource(GetModuleHandleA(nullptr), found);
    const char* bytes = static_cast<const char*>(LockResource(loaded));
    return std::string(bytes, SizeofResource(GetModuleHandleA(nullptr), found));
}

long Value(const LayoutControl& c, const char* key, long fallback)
{
    const LayoutValue* v = c.Find(key);
    return v ? static_cast<long>(v->integer) : fallback;
}

COLORREF ColourOf(const LayoutControl& c, const char* key, COLORREF fallback)
{
    const LayoutValue* v = c.Find(key);
    return v ? static_cast<COLORREF>(v->integer) : fallback;
}

bool Contains(const RECT& r, LPARAM lParam)
{
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != FALSE;
}

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

SettingsDialog::SettingsDialog(Settings& settings)
    : m_settings(settings), m_owner(nullptr), m_hWnd(nullptr), Pic_C(nullptr), BGM_Repeat(nullptr), Pic_Dummy(nullptr),
      Cmd_File(nullptr), Cmd_Set(nullptr), Cmd_Can(nullptr), Img_Ra{nullptr, nullptr}, m_hand(nullptr),
      m_trackBack(RGB(255, 255, 255)), m_trackBrush(nullptr), m_lastFocus(nullptr), m_closing(false)
{
}

SettingsDialog::~SettingsDialog()
{
    for (HFONT f : m_fonts)
        DeleteObject(f);
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

RECT SettingsDialog::PixelsOf(const LayoutControl& c) const
{
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const long left = Value(c, "Left", 0) / tx, top = Value(c, "Top", 0) / ty;
    RECT r = {left, top, left + Value(c, "Width", 0) / tx, top + Value(c, "Height", 0) / ty};
    return r;
}

bool SettingsDialog::Create()
{
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult parsed = ParseLayout(LayoutText("LUNAQUILL_P"), classes, count);
    if (!parsed.ok || parsed.controls.empty())
        return false;
    m_layout = parsed.controls[0];
    if (const LayoutValue* font = m_layout.Find("Font"))
        m_formFont = font->font;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterFormClass(kFormClass, FormProcedure, nullptr, nullptr, LoadIconA(instance, MAKEINTRESOURCEA(1)));
    RegisterFormClass(kPictureClass, PictureProcedure);
    m_hand = LoadCursorA(instance, "HAND");

    m_owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT outer = {0, 0, Value(m_layout, "ClientWidth", 7440) / TwipsPerPixelX(),
                  Value(m_layout, "ClientHeight", 3645) / TwipsPerPixelY()};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    const LayoutValue* caption = m_layout.Find("Caption");
    m_hWnd = CreateWindowExA(exStyle, kFormClass, AnsiFromUtf8(caption ? caption->text : "").c_str(), style, 0, 0,
                             outer.right - outer.left, outer.bottom - outer.top, m_owner, nullptr, instance, this);
    if (!m_hWnd)
        return false;
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(1))));
    CreateChildren(m_layout, m_hWnd, m_formDrawn);
    // The two Img_Ra images lie outside the client area: they are only the indicators' picture source.
    for (int i = 0; i < 2; ++i)
        if (Lightweight* source = Find(m_formDrawn, "Img_Ra", i))
            Img_Ra[i] = source->picture;
    return true;
}

void SettingsDialog::CreateChildren(const LayoutControl& container, HWND parent, std::vector<Lightweight>& drawn)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Windows are made in tab order: the dialog manager moves the focus in the order they were made.
    for (const LayoutControl* child : InTabOrder(container)) {
        const LayoutControl& c = *child;
        const RECT r = PixelsOf(c);
        if (c.className == "Lunaquill.Command") {
            const int id = c.name == "Cmd_Set" ? kIdCmdSet : c.name == "Cmd_Can" ? kIdCmdCan : kIdCmdFile + (c.index > 0 ? c.index : 0);
            CommandButton* button = CommandButton::Create(parent, id, c, m_formFont);
            (c.name == "Cmd_Set" ? Cmd_Set : c.name == "Cmd_Can" ? Cmd_Can : Cmd_File) = button;
        } else if (c.className == "PictureBox") {
            // The panel holds controls, so the dialog manager walks into it; the empty Pic_Dummy is a
            // tab stop of its own.
            HWND picture = CreateWindowExA(c.children.empty() ? 0 : WS_EX_CONTROLPARENT, kPictureClass, "",
                                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (c.children.empty() ? WS_TABSTOP : 0), r.left, r.top,
                                           r.right - r.left, r.bottom - r.top, parent, nullptr, instance, this);
            if (c.name == "Pic_C") {
                Pic_C = picture;
                CreateChildren(c, picture, m_panelDrawn);
            } else {
                Pic_Dummy = picture;
            }
        } else if (c.className == "ComboBox") {
            // A combo box's window height is that of the box with its list dropped (200 pixels); the
            // closed box takes its height from the font, so the layout's Height is not used.
            BGM_Repeat = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                         CBS_DROPDOWN | CBS_AUTOHSCROLL, r.left, r.top, r.right - r.left, 200, parent,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdRepeat)), instance, nullptr);
            const LayoutValue* font = container.Find("Font");
            HFONT listFont = CreateFontFor(font ? font->font : m_formFont);
            m_fonts.push_back(listFont);
            SendMessageA(BGM_Repeat, WM_SETFONT, reinterpret_cast<WPARAM>(listFont), FALSE);
            m_trackBack = ColourOf(c, "BackColor", RGB(255, 255, 255));
            m_trackBrush = CreateSolidBrush(m_trackBack);
        } else {
            Lightweight l;
            l.className = c.className;
            l.name = c.name;
            l.index = c.index;
            l.pixels = r;
            const LayoutValue* caption = c.Find("Caption");
            l.text = WideFromUtf8(caption ? caption->text : "");
            l.colour = ColourOf(c, c.className == "Shape" ? "BorderColor" : "ForeColor", RGB(0, 0, 0));
            const LayoutValue* underline = c.Find("Underline");
            l.underline = underline && underline->integer;
            l.centred = Value(c, "Alignment", 0) == 2;
            l.font = nullptr;
            if (c.className == "Label") {
                const LayoutValue* font = c.Find("Font");
                l.font = CreateFontFor(font ? font->font : m_formFont, l.underline);
                m_fonts.push_back(l.font);
            }
            const LayoutValue* picture = c.Find("Picture");
            l.picture = picture ? static_cast<HBITMAP>(LoadImageA(instance, picture->text.c_str(), IMAGE_BITMAP, 0, 0, 0)) : nullptr;
            drawn.push_back(l);
        }
    }
}

SettingsDialog::Lightweight* SettingsDialog::Find(std::vector<Lightweight>& drawn, const char* name, int index)
{
    for (Lightweight& l : drawn)
        if (l.name == name && l.index == index)
            return &l;
    return nullptr;
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
    const int tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    RECT window = {};
    GetWindowRect(m_hWnd, &window);
    long left = 0, top = 0;
    DialogPosition(GetSystemMetrics(SM_CXSCREEN) * tx, GetSystemMetrics(SM_CYSCREEN) * ty,
                   (window.right - window.left) * tx, (window.bottom - window.top) * ty, &left, &top);
    SetWindowPos(m_hWnd, nullptr, left / tx, top / ty, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // 2. Every button starts its hover tracking.
    ResetButtons(m_hWnd, true, true);
    // 3.-6. The source and the controls it enables.
    ShowSource();
    // 7.-8. The track box.
    SetWindowTextA(BGM_Repeat, FormatTrack(m_settings.BGM_Track).c_str());
    for (const std::string& entry : TrackListEntries())
        SendMessageA(BGM_Repeat, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    // 9. The file.
    if (Lightweight* name = Find(m_panelDrawn, "lbl_Fname", 0))
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
        if (Lightweight* image = Find(m_panelDrawn, "Img_BGM", i))
            image->picture = Img_Ra[i == c.tickedIndicator ? 1 : 0];
    if (Cmd_File)
        Cmd_File->Model().SetEnabled(c.fileButtonEnabled);
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::ChooseSource(int index)
{
    m_settings.BGM_Kind = static_cast<std::int16_t>(index);
    ShowSource();
}

void SettingsDialog::Cmd_File_Click(int index)
{
    char file[255] = {};
    char title[255] = {};
    const std::string filter = std::string(kFilterName) + '\0' + "*.MP3;*.WAV" + '\0' + '\0';
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 0;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof(title);
    ofn.lpstrInitialDir = m_settings.BGM_Folder.c_str();
    ofn.lpstrTitle = kPickerTitle;
    ofn.Flags = 0;
    if (!GetOpenFileNameA(&ofn))
        return;  // cancelled, or the path did not fit: nothing changes
    FileChosen(m_settings, file);
    if (Lightweight* name = Find(m_panelDrawn, "lbl_Fname", index))
        name->text = WideFrom(m_settings.BGM_File, CP_ACP);
    InvalidateRect(Pic_C, nullptr, FALSE);
}

void SettingsDialog::Cmd_Set_Click()
{
    // The choice is never lost in silence: when no place keeps it, the user is told and the dialog
    // stays open.
    if (!Save_Settings(SettingsToWrite(m_settings, TrackFromBox(WideWindowText(BGM_Repeat))))) {
        MessageBoxW(m_hWnd, WideFrom(kSettingsNotSavedText, 932).c_str(), WideFromUtf8(kProgramTitle).c_str(), MB_OK);
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

void SettingsDialog::PaintDrawn(HDC dc, const std::vector<Lightweight>& drawn)
{
    SetBkMode(dc, TRANSPARENT);
    for (const Lightweight& l : drawn) {
        RECT r = l.pixels;
        if (l.className == "Label") {
            HGDIOBJ old = SelectObject(dc, l.font);
            SetTextColor(dc, l.colour);
            // A label one line high keeps its text on that line even where this system's fonts are
            // wider than the ones it was laid out with; a taller label wraps.
            const bool oneLine = r.bottom - r.top <= 13;
            const UINT align = (l.centred ? DT_CENTER : DT_LEFT) | DT_NOPREFIX;
            if (l.name == "lbl_Fname")
                DrawPath(dc, l.text, r, align);  // a long folder must not push the file's name out of sight
            else
                DrawTextW(dc, l.text.c_str(), -1, &r, align | (oneLine ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK));
            SelectObject(dc, old);
        } else if (l.className == "Shape") {
            HPEN pen = CreatePen(PS_SOLID, 1, l.colour);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(pen);
        } else if (l.className == "Image" && l.picture) {
            // Pictures are shown at their natural size from the top-left corner.
            BITMAP bm;
            GetObjectA(l.picture, sizeof(bm), &bm);
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, l.picture);
            BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        }
    }
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
    PaintDrawn(dc, m_formDrawn);
}

void SettingsDialog::PaintPanel(HDC dc)
{
    PaintGradient(Pic_C, dc, [](int y, int h) { return static_cast<COLORREF>(PanelRowColour(y, h)); });
    PaintDrawn(dc, m_panelDrawn);
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
        if (reinterpret_cast<HWND>(wParam) == hWnd && LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hWnd, &p);
            Lightweight* url = d->Find(d->m_formDrawn, "lbl_URL", -1);
            if (url && PtInRect(&url->pixels, p)) {
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
    case WM_LBUTTONDOWN: {
        Lightweight* url = d->Find(d->m_formDrawn, "lbl_URL", -1);
        const bool onLink = url && Contains(url->pixels, lParam);
        d->m_link.Press(onLink);
        if (onLink)
            SetCapture(hWnd);  // so that the release comes here wherever it happens
        return 0;
    }
    case WM_LBUTTONUP: {
        Lightweight* url = d->Find(d->m_formDrawn, "lbl_URL", -1);
        const bool click = d->m_link.Release(url && Contains(url->pixels, lParam));
        if (GetCapture() == hWnd)
            ReleaseCapture();
        if (click)
            d->lbl_URL_Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        d->m_link.Press(false);  // a press whose release will never come here
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
        // A press with any button on a row's label or indicator chooses that source.
        for (const Lightweight& l : d->m_panelDrawn)
            if ((l.name == "lbl_BGM" || l.name == "Img_BGM") && Contains(l.pixels, lParam)) {
                d->ChooseSource(l.index);
                break;
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
