#include "command_button.h"

#include "command_face.h"
#include "forms/access_key.h"
#include "forms/win32_forms.h"

#include <windows.h>
#include <oleacc.h>

namespace {

const UINT_PTR kTmrMouse = 1;
const wchar_t kCommandClassNameW[] = L"Lunaquill.Command";
const int kCaptionHeightTwips = 195;

// The six skins, loaded once from the program's resources.
HBITMAP SkinBitmap(Skin skin)
{
    static HBITMAP s_skins[7] = {};
    static const char* const s_names[7] = {nullptr, "Normal", "HighLight", "Selected", "HighLightSelect", "Pressed", "Disable"};
    const int i = static_cast<int>(skin);
    if (!s_skins[i] && s_names[i])
        s_skins[i] = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), s_names[i], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return s_skins[i];
}

int Twips(const LayoutControl& layout, const char* key, int fallback)
{
    const LayoutValue* v = layout.Find(key);
    return v ? static_cast<int>(v->integer) : fallback;
}

} // namespace

CommandButton::CommandButton(HWND parent, int id)
    : m_hWnd(nullptr), m_parent(parent), m_id(id), m_model(*this), m_surface(nullptr), m_bitmap(nullptr),
      m_oldBitmap(nullptr), m_font(nullptr), m_facePaints(0), m_dpi(96), m_skin(Skin::Normal), m_accessKey(0)
{
}

CommandButton::~CommandButton()
{
    if (m_surface) {
        SelectObject(m_surface, m_oldBitmap);
        DeleteDC(m_surface);
    }
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_font)
        DeleteObject(m_font);
}

CommandButton* CommandButton::Create(HWND parent, int id, const LayoutControl& layout, const FontSpec& hostFont,
                                     int dpi)
{
    // A Unicode window class, so that its text (the caption, for screen readers) keeps every
    // character on any code page. No CS_DBLCLKS: a quick second press is another press.
    WNDCLASSW wc = {};
    if (!GetClassInfoW(GetModuleHandleA(nullptr), kCommandClassNameW, &wc)) {
        wc.lpfnWndProc = Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = kCommandClassNameW;
        RegisterClassW(&wc);
    }
    CommandButton* button = new CommandButton(parent, id);
    if (dpi <= 0)
        dpi = DpiOf(parent);
    button->m_dpi = dpi;
    button->m_hWnd = CreateWindowExW(0, kCommandClassNameW, L"", WS_CHILD | WS_TABSTOP,
                                     TwipsToPixels(Twips(layout, "Left", 0), dpi), TwipsToPixels(Twips(layout, "Top", 0), dpi),
                                     TwipsToPixels(Twips(layout, "Width", 1755), dpi),
                                     TwipsToPixels(Twips(layout, "Height", 420), dpi), parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), button);
    if (!button->m_hWnd) {
        delete button;
        return nullptr;
    }
    button->ResizeSurface();
    button->m_model.ReadProperties(layout, hostFont);
    // Sited on its form, a control is resized once its properties are read; that first resize is
    // what shows a button stored as disabled with its Disable face (reading paints only enabled ones).
    button->m_model.Resize();
    ShowWindow(button->m_hWnd, SW_SHOW);
    return button;
}

CommandButton* CommandButton::FromWindow(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, kCommandClassName) != 0)
        return nullptr;
    return reinterpret_cast<CommandButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void CommandButton::ResizeSurface()
{
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    HDC screen = GetDC(m_hWnd);
    if (!m_surface) {
        m_surface = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, r.right > 0 ? r.right : 1, r.bottom > 0 ? r.bottom : 1);
        m_oldBitmap = SelectObject(m_surface, m_bitmap);
    } else {
        HBITMAP bigger = CreateCompatibleBitmap(screen, r.right > 0 ? r.right : 1, r.bottom > 0 ? r.bottom : 1);
        SelectObject(m_surface, bigger);
        DeleteObject(m_bitmap);
        m_bitmap = bigger;
    }
    ReleaseDC(m_hWnd, screen);
}

void CommandButton::DrawFace(Skin skin, bool invert)
{
    ++m_facePaints;
    m_skin = skin;
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    const int dpi = m_dpi;
    if (HighContrast()) {
        // The system's button face framed in its text colour; hovered, focused or pressed, highlighted.
        const bool lit = skin != Skin::Normal && skin != Skin::Disable;
        FillRect(m_surface, &r, GetSysColorBrush(lit ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        FrameRect(m_surface, &r, GetSysColorBrush(COLOR_BTNTEXT));
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }

    // Clear, then the gradient, then the eight slices of the skin over it.
    FillRect(m_surface, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GradientVertex v[4];
    GradientRect rect;
    GradientFor(invert, r.right, r.bottom, v, rect);
    TRIVERTEX vertices[4];
    for (int i = 0; i < 4; ++i) {
        vertices[i].x = v[i].x;
        vertices[i].y = v[i].y;
        vertices[i].Red = v[i].red;
        vertices[i].Green = v[i].green;
        vertices[i].Blue = v[i].blue;
        vertices[i].Alpha = v[i].alpha;
    }
    GRADIENT_RECT gradient = {rect.upperLeft, rect.lowerRight};
    GradientFill(m_surface, vertices, 4, &gradient, 1, GRADIENT_FILL_RECT_V);

    if (HBITMAP bitmap = SkinBitmap(skin)) {
        HDC skinDC = CreateCompatibleDC(m_surface);
        HGDIOBJ old = SelectObject(skinDC, bitmap);
        // At 96 DPI the slices are copied pixel for pixel, at 192 each pixel as two by two: at a whole
        // scale the rims and rounded corners are the 96-DPI ones, as sharp. At any other they are
        // filtered, so that they stay smooth.
        SetStretchBltMode(m_surface, dpi % 96 == 0 ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(m_surface, 0, 0, nullptr);
        Slice slices[8];
        SliceGeometry(r.right, r.bottom, CornerPixels(dpi), slices);
        for (const Slice& s : slices)
            StretchBlt(m_surface, s.left, s.top, s.width, s.height, skinDC, s.srcLeft, s.srcTop, s.srcWidth, s.srcHeight,
                       SRCCOPY);
        SelectObject(skinDC, old);
        DeleteDC(skinDC);
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CommandButton::CaptionChanged()
{
    if (m_font)
        DeleteObject(m_font);
    m_font = CreateFontFor(m_model.LblMsg.font, m_dpi);
    // The caption is also the window's text, which screen readers and other programs read.
    SetWindowTextW(m_hWnd, WideFromUtf8(m_model.LblMsg.text).c_str());
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CommandButton::SetDpi(int dpi)
{
    m_dpi = dpi;
    CaptionChanged();
    m_model.Resize();  // the face drawn again at the new scale
}

void CommandButton::Paint(HDC dc)
{
    RECT r = {};
    GetClientRect(m_hWnd, &r);
    if (m_model.m_Opaque) {
        BitBlt(dc, 0, 0, r.right, r.bottom, m_surface, 0, 0, SRCCOPY);
    } else {
        // Transparent: the parent's own painting shows through, only the caption is drawn.
        POINT origin = {0, 0};
        MapWindowPoints(m_hWnd, m_parent, &origin, 1);
        POINT old;
        SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
        SendMessageA(m_parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }

    // The caption label: full width, centred, at (H - label height - 20) / 2.
    const int dpi = m_dpi;
    const int top = static_cast<int>(CaptionTop(PixelsToTwips(r.bottom, dpi), kCaptionHeightTwips) * dpi / 1440.0 + 0.5);
    PaintCaption(dc, RECT{0, top, r.right, top + TwipsToPixels(kCaptionHeightTwips, dpi)});
}

void CommandButton::PaintCaption(HDC dc, RECT label)
{
    // With an access key, its letter is underlined where Windows' keyboard cues show them.
    const std::wstring caption = WideFromUtf8(m_model.LblMsg.text);
    const std::wstring text = m_accessKey ? CaptionWithAccessKey(caption, m_accessKey) : caption;
    const bool hideKeys = SendMessageW(m_hWnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL;
    const UINT format = DT_CENTER | DT_TOP | DT_SINGLELINE | (m_accessKey ? (hideKeys ? DT_HIDEPREFIX : 0) : DT_NOPREFIX);
    HGDIOBJ oldFont = SelectObject(dc, m_font);
    SetBkMode(dc, TRANSPARENT);
    if (HighContrast()) {
        const bool lit = m_skin != Skin::Normal && m_skin != Skin::Disable;
        SetTextColor(dc, GetSysColor(!m_model.LblMsg.enabled ? COLOR_GRAYTEXT : lit ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
        DrawTextW(dc, text.c_str(), -1, &label, format);
    } else if (m_model.LblMsg.enabled) {
        SetTextColor(dc, m_model.LblMsg.colour & 0xFFFFFF);
        DrawTextW(dc, text.c_str(), -1, &label, format);
    } else {
        // Disabled text is etched: a light copy one pixel down and right, grey on top.
        RECT shadow = {label.left + 1, label.top + 1, label.right + 1, label.bottom + 1};
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, text.c_str(), -1, &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.c_str(), -1, &label, format);
    }
    SelectObject(dc, oldFont);
}

void CommandButton::StartHoverTimer()
{
    SetTimer(m_hWnd, kTmrMouse, 100, nullptr);
}

void CommandButton::RaiseClick()
{
    SendMessageA(m_parent, WM_COMMAND, MAKEWPARAM(m_id, BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CommandButton::ReportChange(const char* property)
{
    SendMessageA(m_parent, kCommandPropertyChanged, static_cast<WPARAM>(m_id), reinterpret_cast<LPARAM>(property));
}

LRESULT CALLBACK CommandButton::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CommandButton* button = static_cast<CommandButton*>(FormObject(hWnd, message, lParam));
    if (button && message == WM_NCCREATE)
        button->m_hWnd = hWnd;
    if (!button)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        KillTimer(hWnd, kTmrMouse);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        delete button;
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
    return button->Handle(message, wParam, lParam);
}

// The mouse over the button: moves, and presses and releases of any button, which the capture brings
// here wherever they happen.
void CommandButton::Mouse(UINT message)
{
    const MouseButton button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP   ? MouseButton::Left
                               : message == WM_RBUTTONDOWN || message == WM_RBUTTONUP ? MouseButton::Right
                                                                                      : MouseButton::Middle;
    switch (message) {
    case WM_MOUSEMOVE:
        m_model.MouseMove();
        break;
    case WM_LBUTTONDOWN:
        SetFocus(m_hWnd);  // a press takes the focus first, as on any push button
        SetCapture(m_hWnd);
        m_model.MouseDown(button);
        break;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SetCapture(m_hWnd);
        m_model.MouseDown(button);
        break;
    default:  // a release
        if (GetCapture() == m_hWnd)
            ReleaseCapture();
        m_model.MouseUp(button);
        break;
    }
}

LRESULT CommandButton::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hWnd, &ps);
        Paint(dc);
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        if (m_surface) {
            ResizeSurface();
            m_model.Resize();
        }
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        Mouse(message);
        return 0;
    case WM_SETFOCUS:
        m_model.GotFocus();
        return 0;
    case WM_KILLFOCUS:
        m_model.LostFocus();
        return 0;
    case WM_TIMER:
        if (wParam == kTmrMouse) {
            POINT p;
            if (GetCursorPos(&p))
                m_model.HoverPoll(WindowFromPoint(p) == m_hWnd);
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        return 0;  // no keyboard activation of its own: where the user needs the keyboard, the form presses it
    case WM_GETOBJECT:
        return Answer(m_hWnd, wParam, lParam);
    case WM_UPDATEUISTATE:
        InvalidateRect(m_hWnd, nullptr, FALSE);  // the access key's underline comes or goes
        break;
    default:
        break;
    }
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

void CommandButton::Describe(const std::wstring& name, const std::wstring& pressAction)
{
    m_name = name;
    m_pressAction = pressAction;
}

void CommandButton::SetAccessKey(char letter)
{
    m_accessKey = letter;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

AccessibleItem CommandButton::Item(int)
{
    AccessibleItem item;
    item.role = ROLE_SYSTEM_PUSHBUTTON;
    item.name = m_name.empty() ? WideFromUtf8(m_model.LblMsg.text) : m_name;
    item.defaultAction = m_pressAction.empty() ? L"Press" : m_pressAction;
    if (m_accessKey)
        item.shortcut = std::wstring(L"Alt+") + static_cast<wchar_t>(m_accessKey);
    item.state = STATE_SYSTEM_FOCUSABLE | (GetFocus() == m_hWnd ? STATE_SYSTEM_FOCUSED : 0) |
                 (m_model.Enabled() ? 0 : STATE_SYSTEM_UNAVAILABLE);
    GetClientRect(m_hWnd, &item.place);
    return item;
}

bool CommandButton::DoDefaultAction(int)
{
    // Posted: the caller, perhaps another program, gets its answer before the click is carried out.
    if (!m_model.Enabled())
        return false;
    PostMessageA(m_parent, WM_COMMAND, MAKEWPARAM(m_id, BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
    return true;
}
