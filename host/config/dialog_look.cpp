// How the settings dialog looks: its gradients and the skin's colours, or, under a high-contrast
// theme, the system's colours with no gradient or skin; the focus mark of a drawn control.
#include "settings_dialog.h"

#include "forms/win32_forms.h"

namespace {

// A disabled track box's text on its white: 5.1:1, where the system's grey text would be as pale as
// the box allows.
const COLORREF kDisabledTrackText = RGB(0x6D, 0x6D, 0x6D);

// Horizontal lines of a vertical gradient across the whole client area; one colour in a
// high-contrast theme.
template <typename RowColour>
void PaintBackground(HWND window, HDC dc, RowColour colourOf)
{
    RECT r = {};
    GetClientRect(window, &r);
    if (HighContrast()) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
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

void SettingsDialog::PaintForm(HDC dc)
{
    PaintBackground(m_hWnd, dc, [](int y, int h) { return static_cast<COLORREF>(DialogRowColour(y, h)); });
    m_form.PaintDrawn(m_hWnd, dc);
    PaintFocus(m_hWnd, dc);
}

void SettingsDialog::PaintPanel(HDC dc)
{
    PaintBackground(Pic_C, dc, [](int y, int h) { return static_cast<COLORREF>(PanelRowColour(y, h)); });
    if (HighContrast()) {  // the panel's edge, which its gradient drew
        RECT r;
        GetClientRect(Pic_C, &r);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    m_form.PaintDrawn(Pic_C, dc);
    PaintFocus(Pic_C, dc);
}

// A drawn control with the focus shows it as Windows' keyboard cues say: a dotted frame.
void SettingsDialog::PaintFocus(HWND container, HDC dc)
{
    if (m_drawnFocus.stop == Stop::None || ContainerOf(m_drawnFocus) != container || GetFocus() != container ||
        (SendMessageA(container, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        return;
    RECT r = PlaceRect(m_drawnFocus);
    InflateRect(&r, 1, 1);
    SetTextColor(dc, GetSysColor(HighContrast() ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(HighContrast() ? COLOR_WINDOW : COLOR_BTNFACE));
    DrawFocusRect(dc, &r);
}

LRESULT SettingsDialog::TrackBoxColours(HDC dc)
{
    // Text and background of one pair: the system's window colours in a high-contrast theme, else the
    // layout's white with its text colour, kept while disabled (where the system would grey the
    // box), the text then a grey that still reads on the white.
    const bool enabled = IsWindowEnabled(BGM_Repeat) != FALSE;
    if (HighContrast()) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    SetBkColor(dc, m_trackBack);
    SetTextColor(dc, enabled ? m_trackText : kDisabledTrackText);
    return reinterpret_cast<LRESULT>(m_trackBrush ? m_trackBrush : GetStockObject(WHITE_BRUSH));
}

// The display group is ours, below the contract's rows, where the panel's gradient darkens: each of
// its captions black or white, whichever reads better over the rows it covers.
void SettingsDialog::ReadableDisplayRows()
{
    RECT panel;
    GetClientRect(Pic_C, &panel);
    for (Lightweight& l : m_form.Drawn(Pic_C)) {
        if (l.name != "lbl_Disp")
            continue;
        std::vector<std::uint32_t> under;
        for (int y = l.pixels.top; y < l.pixels.bottom; ++y)
            under.push_back(PanelRowColour(y, panel.bottom));
        l.colour = ReadableOn(under);
    }
}
