// The settings dialog Lunaquill_P: choose the music source, the CD track and the music file, how the
// show uses the monitors and what ends it, and save them to Lunaquill.ini. Laid out from its layout
// data (lunaquill_p.layout, a resource). Its pieces by role: the form's life and messages here
// (settings_dialog.cpp), layout and scale (dialog_layout.cpp), the choices (dialog_choices.cpp), its
// look (dialog_look.cpp: gradients, or a high-contrast theme's colours), what assistive technology
// is told (dialog_access.cpp) and the keyboard (dialog_keys.cpp), both over one table of the places
// the keyboard reaches (dialog_places.h).
#pragma once

#include "config/dialog_keyboard.h"
#include "config/dialog_model.h"
#include "controls/command_button.h"
#include "forms/accessible_object.h"
#include "forms/layout.h"
#include "forms/layout_form.h"
#include "main/settings.h"
#include "main/texts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class SettingsDialog {
public:
    // Shows the dialog in these texts (the user's language by default) and returns once it has
    // closed.
    static void ShowModal(Settings& settings, const UiTexts* texts = nullptr);

    // For every Command button on the form, in control order: Initialize, or set Enabled.
    static void ResetButtons(HWND form, bool initialise, bool enable);

private:
    using Lightweight = LayoutForm::Lightweight;
    class DrawnItems;
    class TrackBoxItems;
    static constexpr int kIdCmdFile = 1100, kIdCmdSet = 1110, kIdCmdCan = 1111;
    static constexpr char kPictureClass[] = "Lunaquill.PictureBox";
    // Posted by an accessible object's default action: wParam an Act, lParam the place (stop, index).
    static constexpr UINT kAccessAction = WM_APP + 0x60;

    SettingsDialog(Settings& settings, const UiTexts& texts);
    ~SettingsDialog();

    // dialog_layout.cpp
    bool Create();
    HWND CreateForm(HINSTANCE instance);
    void SizeForm(const RECT* suggested);
    void DpiChanged(int dpi, const RECT& suggested);
    SIZE ClientPixels(int dpi) const;
    bool ScaledSize(int dpi, SIZE* size) const;
    HWND MakeButton(const LayoutControl& control, HWND parent);
    void TakeControls();

    // settings_dialog.cpp
    void Form_Load();
    void Form_Unload();
    bool RestoreFocus();
    static LRESULT CALLBACK FormProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PictureProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // dialog_choices.cpp
    void ChooseSource(int index);
    void ToggleDisplay(int row);
    void Cmd_File_Click(int index);
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();
    void ShowSource();
    void ShowDisplayChoices();
    bool OnLink(LPARAM lParam);  // a point on the home-page link
    bool HandOverLink();
    bool OnMouse(UINT message, LPARAM lParam);

    // dialog_look.cpp
    void PaintForm(HDC dc);
    void PaintPanel(HDC dc);
    void PaintFocus(HWND container, HDC dc);
    LRESULT TrackBoxColours(HDC dc);
    void ReadableDisplayRows();

    // dialog_access.cpp
    void Describe();
    LRESULT AccessibleAnswer(HWND window, WPARAM wParam, LPARAM lParam);
    // Tells assistive technology that a drawn control took the focus or changed its state.
    void NotifyDrawn(DWORD event, const Place& place);

    // dialog_keys.cpp
    void FollowSystemSettings(bool opening);
    bool HandleKey(const MSG& msg);
    KeyState CurrentKeyState() const;
    Place FocusedPlace() const;
    void FocusPlace(const Place& place);
    // What a key (moveFocus) or an accessible object's default action decided.
    void Carry(const KeyResult& result, bool moveFocus);
    RECT PlaceRect(const Place& place);
    HWND ContainerOf(const Place& place) const;

    Settings& m_settings;
    const UiTexts& m_texts;
    LayoutForm m_form;
    LayoutControl m_layout;
    FontSpec m_formFont;
    HWND m_owner;  // hidden: keeps the dialog out of the taskbar
    HWND m_hWnd;
    HWND Pic_C;
    HWND BGM_Repeat;
    HWND Pic_Dummy;
    CommandButton* Cmd_File;
    CommandButton* Cmd_Set;
    CommandButton* Cmd_Can;
    HBITMAP Img_Ra[2];
    HCURSOR m_hand;
    COLORREF m_trackBack;  // BGM_Repeat's BackColor, kept while it is disabled too
    COLORREF m_trackText;  // and its text colour, of the same pair
    HBRUSH m_trackBrush;
    LinkClick m_link;
    HWND m_lastFocus;  // the control that had the focus when the dialog was last deactivated
    bool m_closing;
    bool m_keyboard;      // the user needs the keyboard (a screen reader, the keyboard preferred, ...)
    bool m_highContrast;  // a high-contrast theme is on
    Place m_drawnFocus;   // a drawn control with the focus, whose container then has the keyboard
    std::unique_ptr<DialogKeyboard> m_keys;
    std::unique_ptr<DrawnItems> m_formItems, m_panelItems;
    std::unique_ptr<TrackBoxItems> m_trackItems, m_trackEditItems;
};
