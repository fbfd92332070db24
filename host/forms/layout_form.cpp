#include "layout_form.h"

#include "win32_forms.h"

LayoutForm::LayoutForm(const char* pictureClass, void* pictureParam)
    : m_pictureClass(pictureClass), m_pictureParam(pictureParam), m_dpi(96), m_nextId(1000), m_systemColours(false)
{
}

LayoutForm::~LayoutForm()
{
    for (HFONT f : m_fonts)
        DeleteObject(f);
}

std::string LayoutForm::LayoutText(const char* resource)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, resource, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found)
        return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(instance, found)));
    return std::string(bytes, SizeofResource(instance, found));
}

// Place and size are each taken from twips on their own, as they always were at 96 DPI: controls of
// one size stay of one size at every scale.
RECT LayoutForm::PixelsOf(const LayoutControl& c) const
{
    const int left = TwipsToPixels(LayoutInteger(c, "Left", 0), m_dpi);
    const int top = TwipsToPixels(LayoutInteger(c, "Top", 0), m_dpi);
    RECT r = {left, top, left + TwipsToPixels(LayoutInteger(c, "Width", 0), m_dpi),
              top + TwipsToPixels(LayoutInteger(c, "Height", 0), m_dpi)};
    return r;
}

HFONT LayoutForm::Font(const FontSpec& font, bool underline)
{
    HFONT made = CreateFontFor(font, m_dpi, underline);
    m_fonts.push_back(made);
    return made;
}

// A combo box's window height is that of the box with its list dropped; the closed box takes its
// height from the font, so the layout's Height is not used.
int LayoutForm::ComboHeight() const
{
    return 200 * m_dpi / 96;
}

void LayoutForm::Remember(HWND window, const LayoutControl& c, const FontSpec& font, bool combo)
{
    Made made;
    made.window = window;
    made.control = c;
    made.control.children.clear();
    made.font = font;
    made.combo = combo;
    m_made.push_back(made);
}

void LayoutForm::CreateChildren(const LayoutControl& container, HWND parent, const FontSpec& formFont,
                                const MakeControl& make)
{
    // Windows are made in tab order: the dialog manager moves the focus in the order they were made.
    for (const LayoutControl* child : InTabOrder(container)) {
        const LayoutControl& c = *child;
        const RECT r = PixelsOf(c);
        if (c.className == "PictureBox") {
            // A box that holds controls lets the dialog manager walk into it; an empty one is a tab
            // stop of its own.
            const bool holds = !c.children.empty();
            HWND picture = CreateWindowExA(holds ? WS_EX_CONTROLPARENT : 0, m_pictureClass, "",
                                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (holds ? 0 : WS_TABSTOP), r.left,
                                           r.top, r.right - r.left, r.bottom - r.top, parent, nullptr,
                                           GetModuleHandleA(nullptr), m_pictureParam);
            m_windows[c.name] = picture;
            Remember(picture, c, formFont, false);
            CreateChildren(c, picture, formFont, make);
        } else if (c.className == "ComboBox") {
            MakeComboBox(c, container, r, parent, formFont);
        } else if (c.className == "Label" || c.className == "Image" || c.className == "Shape") {
            MakeLightweight(c, r, parent, formFont);
        } else if (HWND made = make(c, parent, r)) {
            Remember(made, c, formFont, false);
        }
    }
}

void LayoutForm::MakeComboBox(const LayoutControl& c, const LayoutControl& container, const RECT& r, HWND parent,
                              const FontSpec& formFont)
{
    HWND combo = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                 r.left, r.top, r.right - r.left, ComboHeight(), parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_nextId++)), GetModuleHandleA(nullptr),
                                 nullptr);
    const LayoutValue* font = container.Find("Font");
    const FontSpec listFont = font ? font->font : formFont;
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(Font(listFont, false)), FALSE);
    m_windows[c.name] = combo;
    Remember(combo, c, listFont, true);
}

void LayoutForm::MakeLightweight(const LayoutControl& c, const RECT& r, HWND container, const FontSpec& formFont)
{
    Lightweight l;
    l.className = c.className;
    l.name = c.name;
    l.index = c.index;
    l.pixels = r;
    const LayoutValue* caption = c.Find("Caption");
    l.text = WideFromUtf8(caption ? caption->text : "");
    l.colour = LayoutColour(c, c.className == "Shape" ? "BorderColor" : "ForeColor", RGB(0, 0, 0));
    const LayoutValue* underline = c.Find("Underline");
    l.underline = underline && underline->integer;
    l.centred = LayoutInteger(c, "Alignment", 0) == 2;
    l.path = false;
    l.prefix = false;
    l.frameControl = 0;
    l.checked = false;
    l.font = nullptr;
    const LayoutValue* font = c.Find("Font");
    l.fontSpec = font ? font->font : formFont;
    if (c.className == "Label")
        l.font = Font(l.fontSpec, l.underline);
    const LayoutValue* picture = c.Find("Picture");
    l.picture = picture ? static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), picture->text.c_str(),
                                                          IMAGE_BITMAP, 0, 0, 0))
                        : nullptr;
    l.layout = c;
    m_drawn[container].push_back(l);
}

void LayoutForm::Relayout(int dpi)
{
    m_dpi = dpi;
    std::vector<HFONT> old;
    old.swap(m_fonts);
    for (const Made& made : m_made) {
        const RECT r = PixelsOf(made.control);
        MoveWindow(made.window, r.left, r.top, r.right - r.left, made.combo ? ComboHeight() : r.bottom - r.top, TRUE);
        if (made.combo)
            SendMessageA(made.window, WM_SETFONT, reinterpret_cast<WPARAM>(Font(made.font, false)), TRUE);
    }
    for (auto& container : m_drawn) {
        for (Lightweight& l : container.second) {
            l.pixels = PixelsOf(l.layout);
            if (l.font)
                l.font = Font(l.fontSpec, l.underline);
        }
        InvalidateRect(container.first, nullptr, TRUE);
    }
    for (HFONT f : old)
        DeleteObject(f);
}

HWND LayoutForm::Window(const std::string& name) const
{
    const auto found = m_windows.find(name);
    return found == m_windows.end() ? nullptr : found->second;
}

LayoutForm::Lightweight* LayoutForm::Find(HWND container, const char* name, int index)
{
    for (Lightweight& l : m_drawn[container])
        if (l.name == name && l.index == index)
            return &l;
    return nullptr;
}

namespace {

// A label one line high (195 twips) keeps its text on that line even where this system's fonts are
// wider than the ones it was laid out with; a taller label wraps.
bool OneLine(const LayoutForm::Lightweight& l, int dpi)
{
    return l.pixels.bottom - l.pixels.top <= TwipsToPixels(195, dpi);
}

// An access key's underline shows only where Windows' keyboard cues say so.
UINT Alignment(const LayoutForm::Lightweight& l, HWND container)
{
    const bool hideKeys = SendMessageA(container, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL;
    return (l.centred ? DT_CENTER : DT_LEFT) | (l.prefix ? (hideKeys ? DT_HIDEPREFIX : 0) : DT_NOPREFIX);
}

// In system colours a label is window text, the link (the underlined one) the hot-light colour.
COLORREF LabelColour(const LayoutForm::Lightweight& l, bool system)
{
    return system ? GetSysColor(l.underline ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT) : l.colour;
}

void PaintLabel(HDC dc, HWND container, const LayoutForm::Lightweight& l, int dpi, bool system)
{
    RECT r = l.pixels;
    HGDIOBJ old = SelectObject(dc, l.font);
    SetTextColor(dc, LabelColour(l, system));
    if (l.path)
        DrawPath(dc, l.text, r, Alignment(l, container));
    else
        DrawTextW(dc, l.text.c_str(), -1, &r,
                  Alignment(l, container) | (OneLine(l, dpi) ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK));
    SelectObject(dc, old);
}

void PaintShape(HDC dc, const LayoutForm::Lightweight& l, bool system)
{
    HPEN pen = CreatePen(PS_SOLID, 1, system ? GetSysColor(COLOR_WINDOWTEXT) : l.colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, l.pixels.left, l.pixels.top, l.pixels.right, l.pixels.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// Pictures are shown at their natural size from the top-left corner: their 96-DPI pixels, each as
// two by two at 192 DPI, scaled and filtered at the scales between.
void PaintImage(HDC dc, const LayoutForm::Lightweight& l, int dpi)
{
    BITMAP bm;
    GetObjectA(l.picture, sizeof(bm), &bm);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, l.picture);
    if (dpi == 96) {
        BitBlt(dc, l.pixels.left, l.pixels.top, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        const int oldMode = SetStretchBltMode(dc, dpi % 96 == 0 ? COLORONCOLOR : HALFTONE);
        POINT oldOrigin;
        SetBrushOrgEx(dc, 0, 0, &oldOrigin);
        StretchBlt(dc, l.pixels.left, l.pixels.top, bm.bmWidth * dpi / 96, bm.bmHeight * dpi / 96, source, 0, 0,
                   bm.bmWidth, bm.bmHeight, SRCCOPY);
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

// An indicator as the system draws a radio or check mark, the picture's size.
void PaintMark(HDC dc, const LayoutForm::Lightweight& l, int dpi)
{
    const int size = 13 * dpi / 96;
    RECT r = {l.pixels.left, l.pixels.top, l.pixels.left + size, l.pixels.top + size};
    DrawFrameControl(dc, &r, DFC_BUTTON, l.frameControl | (l.checked ? DFCS_CHECKED : 0) | DFCS_FLAT);
}

} // namespace

void LayoutForm::PaintDrawn(HWND container, HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    for (const Lightweight& l : m_drawn[container]) {
        if (l.className == "Label")
            PaintLabel(dc, container, l, m_dpi, m_systemColours);
        else if (l.className == "Shape")
            PaintShape(dc, l, m_systemColours);
        else if (l.className == "Image" && m_systemColours && l.frameControl)
            PaintMark(dc, l, m_dpi);
        else if (l.className == "Image" && l.picture)
            PaintImage(dc, l, m_dpi);
    }
}

RECT LayoutForm::PressArea(HWND container, const Lightweight& l) const
{
    RECT area = l.pixels;
    if (l.className != "Label" || l.path || !OneLine(l, m_dpi) || l.text.empty())
        return area;
    // The text's extent as PaintLabel draws it: from the left edge, or centred on the rectangle.
    HDC dc = GetDC(container);
    HGDIOBJ old = SelectObject(dc, l.font);
    RECT text = l.pixels;
    DrawTextW(dc, l.text.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | Alignment(l, container));
    SelectObject(dc, old);
    ReleaseDC(container, dc);
    if (l.centred)
        OffsetRect(&text, ((l.pixels.right - l.pixels.left) - (text.right - text.left)) / 2, 0);
    UnionRect(&area, &l.pixels, &text);
    return area;
}

long LayoutInteger(const LayoutControl& c, const char* key, long fallback)
{
    const LayoutValue* v = c.Find(key);
    return v ? static_cast<long>(v->integer) : fallback;
}

COLORREF LayoutColour(const LayoutControl& c, const char* key, COLORREF fallback)
{
    const LayoutValue* v = c.Find(key);
    return v ? static_cast<COLORREF>(v->integer) : fallback;
}

bool PointIn(const RECT& r, LPARAM lParam)
{
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&r, p) != FALSE;
}
