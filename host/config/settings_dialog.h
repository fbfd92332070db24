// The settings dialog Lunaquill_P: choose the music source, the CD track and the music file, how the
// show uses the monitors and what ends it, and save them to Lunaquill.ini. Laid out from its layout data (lunaquill_p.layout, a resource).
#pragma once

#include "config/dialog_model.h"
#include "controls/command_button.h"
#include "forms/layout.h"
#include "forms/layout_form.h"
#include "main/settings.h"

#include <windows.h>

#include <string>
#include <vector>

class SettingsDialog {
public:
    // Shows the dialog and returns once it has closed.
    static void ShowModal(Settings& settings);

    // For every Command button on the form, in control order: Initialize, or set Enabled.
    static void ResetButtons(HWND form, bool initialise, bool enable);

private:
    using Lightweight = LayoutForm::Lightweight;

    explicit SettingsDialog(Settings& settings);
    ~SettingsDialog();
    bool Create();
    HWND CreateForm(HINSTANCE instance);
    void SizeForm(const RECT* suggested);
    void DpiChanged(int dpi, const RECT& suggested);
    SIZE ClientPixels(int dpi) const;
    bool ScaledSize(int dpi, SIZE* size) const;
    HWND MakeButton(const LayoutControl& control, HWND parent);
    void TakeControls();

    void Form_Load();
    void Form_Unload();
    void ChooseSource(int index);
    void Cmd_File_Click(int index);
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void lbl_URL_Click();
    void ShowSource();
    void ShowDisplayChoices();

    void PaintForm(HDC dc);
    void PaintPanel(HDC dc);
    LRESULT TrackBoxColours(HDC dc);
    bool OnLink(LPARAM lParam);  // a point on the home-page link
    bool OnMouse(UINT message, LPARAM lParam);
    static LRESULT CALLBACK FormProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PictureProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    Settings& m_settings;
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
    HBRUSH m_trackBrush;
    LinkClick m_link;
    HWND m_lastFocus;  // the control that had the focus when the dialog was last deactivated
    bool m_closing;
};
