#include "settings_dialog.h"

#include "dialog_model.h"
#include "main/lunaquill_b.h"
#include "forms/win32_forms.h"

#include <ole2.h>

void SettingsDialog::ShowModal(Settings& settings, const UiTexts* texts)
{
    // The accessible objects are handed to other programs through COM, as the file picker's shell
    // is used: the thread is a single-threaded apartment for the dialog's life.
    const HRESULT ole = OleInitialize(nullptr);
    struct OleEnd {
        bool on;
        ~OleEnd() { if (on) OleUninitialize(); }
    } oleEnd{SUCCEEDED(ole)};
    SettingsDialog dialog(settings, texts ? *texts : UserTexts());
    if (!dialog.Create())
        return;
    dialog.Form_Load();
    ShowWindow(dialog.m_hWnd, SW_SHOW);
    SetForegroundWindow(dialog.m_hWnd);
    dialog.FollowSystemSettings(true);
    MSG msg;
    while (IsWindow(dialog.m_hWnd) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (dialog.m_keyboard && dialog.HandleKey(msg))
            continue;
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

void SettingsDialog::Form_Unload()
{
    if (m_closing)
        return;
    m_closing = true;
    Zoom_Close(m_hWnd);
    DestroyWindow(m_hWnd);
}

// Back to the control that had the focus, as a dialog does (after the file picker, Alt+Tab).
bool SettingsDialog::RestoreFocus()
{
    if (!m_lastFocus || !IsWindow(m_lastFocus) || !IsWindowEnabled(m_lastFocus) || !IsWindowVisible(m_lastFocus))
        return false;
    SetFocus(m_lastFocus);
    return true;
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
        if (reinterpret_cast<HWND>(wParam) == hWnd && LOWORD(lParam) == HTCLIENT && d->HandOverLink())
            return TRUE;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && d->RestoreFocus())
            return 0;
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
    case WM_SETTINGCHANGE:  // a screen reader, the keyboard preference or the cues, high contrast
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        d->FollowSystemSettings(false);
        break;
    case WM_UPDATEUISTATE:  // the keyboard cues shown or hidden: the focus mark and access keys with them
        InvalidateRect(hWnd, nullptr, FALSE);
        InvalidateRect(d->Pic_C, nullptr, FALSE);
        break;
    case WM_GETOBJECT:
        return d->AccessibleAnswer(hWnd, wParam, lParam);
    case kAccessAction:
        d->Carry({static_cast<Act>(wParam), {static_cast<Stop>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}}, false);
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
                d->ToggleDisplay(l.index);
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
    case WM_GETOBJECT:
        return d->AccessibleAnswer(hWnd, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(hWnd, nullptr, FALSE);  // the focus mark of a drawn control
        break;
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
