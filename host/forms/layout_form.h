// A form laid out from its layout data: the windows its controls need, made in tab order, and its
// lightweight controls (labels, images, shapes), which have no window of their own: their container
// draws them and finds them under the mouse. What the form does is its own; this only builds it.
#pragma once

#include "layout.h"

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class LayoutForm {
public:
    struct Lightweight {
        std::string className;
        std::string name;
        int index;
        RECT pixels;
        std::wstring text;
        COLORREF colour;
        bool underline;
        bool centred;
        bool path;  // the text is a path: where it does not fit, its folder is shortened in the middle
        bool prefix;  // the text marks an access key with '&' (shown as Windows' keyboard cues say)
        UINT frameControl;  // an indicator: DFCS_BUTTONRADIO or DFCS_BUTTONCHECK, drawn so in system colours
        bool checked;       // ... and ticked
        HFONT font;
        HBITMAP picture;
        LayoutControl layout;  // its place in twips, for laying it out again at another DPI
        FontSpec fontSpec;     // what font is made from (labels)
    };

    // A control of a class the runtime does not make itself (the form's own controls, such as its
    // push buttons), to be made at these pixels inside parent; its window, or null.
    using MakeControl = std::function<HWND(const LayoutControl& control, HWND parent, const RECT& pixels)>;

    // Picture boxes are windows of pictureClass, made with pictureParam as their creation parameter.
    LayoutForm(const char* pictureClass, void* pictureParam);
    ~LayoutForm();
    LayoutForm(const LayoutForm&) = delete;
    LayoutForm& operator=(const LayoutForm&) = delete;

    // The layout data kept as an RCDATA resource of the program.
    static std::string LayoutText(const char* resource);

    // The DPI the form is laid out at, and a control's place and size at it, from its twips.
    int Dpi() const { return m_dpi; }
    void SetDpi(int dpi) { m_dpi = dpi; }
    RECT PixelsOf(const LayoutControl& control) const;

    // Makes the controls of a container inside parent: picture boxes (with their own controls),
    // combo boxes and lightweights; every other class through make. Fonts not given are formFont.
    void CreateChildren(const LayoutControl& container, HWND parent, const FontSpec& formFont, const MakeControl& make);
    // Lays every control out again at another DPI (the form moved to a monitor with another scale):
    // windows moved and sized, lightweights placed, fonts made anew.
    void Relayout(int dpi);

    // A picture box or combo box made here, by its name; null if there is none.
    HWND Window(const std::string& name) const;
    // The lightweights a container holds, and one of them by name and index (null if none).
    std::vector<Lightweight>& Drawn(HWND container) { return m_drawn[container]; }
    Lightweight* Find(HWND container, const char* name, int index);
    // Draws the container's lightweights: in their own colours, or (a high-contrast theme) in the
    // system's, the indicators as the system's radio and check marks.
    void PaintDrawn(HWND container, HDC dc);
    void UseSystemColours(bool on) { m_systemColours = on; }
    bool SystemColours() const { return m_systemColours; }
    // Where a lightweight takes a press: its rectangle, and for a one-line label also the text drawn
    // past it (a caption wider in this system's font than the one it was laid out with).
    RECT PressArea(HWND container, const Lightweight& l) const;

private:
    // A window made from the layout, with what it needs to be laid out again.
    struct Made {
        HWND window;
        LayoutControl control;  // without its children
        FontSpec font;          // a combo box's list font
        bool combo;
    };

    void MakeLightweight(const LayoutControl& c, const RECT& r, HWND container, const FontSpec& formFont);
    void MakeComboBox(const LayoutControl& c, const LayoutControl& container, const RECT& r, HWND parent,
                      const FontSpec& formFont);
    void Remember(HWND window, const LayoutControl& c, const FontSpec& font, bool combo);
    HFONT Font(const FontSpec& font, bool underline);
    int ComboHeight() const;

    const char* m_pictureClass;
    void* m_pictureParam;
    int m_dpi;
    std::map<HWND, std::vector<Lightweight>> m_drawn;
    std::map<std::string, HWND> m_windows;
    std::vector<Made> m_made;
    std::vector<HFONT> m_fonts;
    int m_nextId;
    bool m_systemColours;
};

// A layout value as a number or colour, or the fallback where the control has none.
long LayoutInteger(const LayoutControl& control, const char* key, long fallback);
COLORREF LayoutColour(const LayoutControl& control, const char* key, COLORREF fallback);
// Whether a mouse message's point (client coordinates in lParam) lies in the rectangle.
bool PointIn(const RECT& r, LPARAM lParam);
