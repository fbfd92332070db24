// The settings dialog laid out from its layout data, at its monitor's scale, and again when it moves
// to a monitor of another scale.
#include "settings_dialog.h"

#include "dialog_classes.h"
#include "main/lunaquill_b.h"
#include "forms/win32_forms.h"

namespace {

const char kFormClass[] = "Lunaquill_P";
const DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
const DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

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

} // namespace

bool SettingsDialog::Create()
{
    int count = 0;
    const ClassSchema* classes = HostClasses(&count);
    const LayoutResult parsed = ParseLayout(LayoutForm::LayoutText("LUNAQUILL_P"), classes, count);
    if (!parsed.ok || parsed.controls.empty())
        return false;
    m_layout = parsed.controls[0];
    UseLanguage(m_layout, m_texts);
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
    Describe();
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
    m_trackText = box ? LayoutColour(*box, "ForeColor", RGB(0, 0, 0)) : RGB(0, 0, 0);
    m_trackBrush = CreateSolidBrush(m_trackBack);
    // The two Img_Ra images lie outside the client area: they are only the indicators' picture source.
    for (int i = 0; i < 2; ++i)
        if (Lightweight* source = m_form.Find(m_hWnd, "Img_Ra", i))
            Img_Ra[i] = source->picture;
    // A long folder must not push the chosen file's name out of sight.
    if (Lightweight* name = m_form.Find(Pic_C, "lbl_Fname", 0))
        name->path = true;
    // In a high-contrast theme the indicators are the system's radio and check marks.
    for (Lightweight& l : m_form.Drawn(Pic_C))
        l.frameControl = l.name == "Img_BGM" ? DFCS_BUTTONRADIO : l.name == "Img_Disp" ? DFCS_BUTTONCHECK : 0;
    ReadableDisplayRows();
}
