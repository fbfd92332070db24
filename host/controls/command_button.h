// The Command push button as a Win32 control (window class "Lunaquill.Command"): paints the faces
// the model decides on (in the system's colours under a high-contrast theme), forwards mouse, focus
// and timer messages to it, tells its parent about clicks (WM_COMMAND, BN_CLICKED) and changed
// properties (kCommandPropertyChanged), and tells assistive technology that it is a push button.
#pragma once

#include "command_model.h"
#include "forms/accessible_object.h"

#include <windows.h>

#include <string>

// wParam: the control's id; lParam: the property's name (const char*).
constexpr UINT kCommandPropertyChanged = WM_APP + 0x51;

constexpr char kCommandClassName[] = "Lunaquill.Command";

class CommandButton : public CommandSurface, private AccessibleItems {
public:
    // Makes the button from its layout data (position in twips and persisted properties).
    // dpi: the DPI its form is laid out at (0: its parent window's).
    static CommandButton* Create(HWND parent, int id, const LayoutControl& layout, const FontSpec& hostFont,
                                 int dpi = 0);
    // Its form laid out anew at another DPI (after it has been moved and sized): face and caption anew.
    void SetDpi(int dpi);
    // The button behind a window of this class, or null.
    static CommandButton* FromWindow(HWND window);

    HWND Window() const { return m_hWnd; }
    CommandModel& Model() { return m_model; }
    // How many times a face has been painted since the button was made.
    int FacePaintCount() const { return m_facePaints; }
    // What assistive technology calls the button (its caption where no name is given) and its press.
    void Describe(const std::wstring& name, const std::wstring& pressAction);
    // The letter shown with the caption as its access key (0: none, as the contract has it).
    void SetAccessKey(char letter);
    // The theme changed (high contrast on or off): the face drawn anew.
    void ThemeChanged() { m_model.Resize(); }

    // CommandSurface
    void DrawFace(Skin skin, bool invert) override;
    void CaptionChanged() override;
    void StartHoverTimer() override;
    void RaiseClick() override;
    void ReportChange(const char* property) override;

private:
    CommandButton(HWND parent, int id);
    ~CommandButton() override;
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Mouse(UINT message);
    void Paint(HDC dc);
    void PaintCaption(HDC dc, RECT label);
    void ResizeSurface();
    // AccessibleItems: the button itself, no drawn children.
    AccessibleItem Item(int child) override;
    int Count() override { return 0; }
    int Focus() override { return GetFocus() == m_hWnd ? 0 : -1; }
    bool DoDefaultAction(int child) override;

    HWND m_hWnd;
    HWND m_parent;
    int m_id;
    CommandModel m_model;
    HDC m_surface;       // the face, kept between paints
    HBITMAP m_bitmap;
    HGDIOBJ m_oldBitmap;
    HFONT m_font;
    int m_facePaints;
    int m_dpi;
    Skin m_skin;  // the face last drawn
    std::wstring m_name;
    std::wstring m_pressAction;
    char m_accessKey;
};
