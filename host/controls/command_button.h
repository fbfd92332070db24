// The Command push button as a Win32 control (window class "Lunaquill.Command"): paints the faces
// the model decides on, forwards mouse, focus and timer messages to it, and tells its parent about
// clicks (WM_COMMAND, BN_CLICKED) and changed properties (kCommandPropertyChanged).
#pragma once

#include "command_model.h"

#include <windows.h>

// wParam: the control's id; lParam: the property's name (const char*).
constexpr UINT kCommandPropertyChanged = WM_APP + 0x51;

constexpr char kCommandClassName[] = "Lunaquill.Command";

class CommandButton : public CommandSurface {
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
    void ResizeSurface();

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
};
