#include "preview_form.h"

#include "main/lunaquill_b.h"
#include "forms/win32_forms.h"
#include "preview_handle.h"

#include <ole2.h>
#include <olectl.h>

namespace {

const char kClassName[] = "Lunaquill_R";
const UINT_PTR kWatchTimer = 1;

HWND s_form = nullptr;
HWND s_area = nullptr;
IPicture* s_background = nullptr;  // the form's picture, drawn at its own size
IPicture* Img_Prev = nullptr;      // the light streak, stretched over the whole area
RECT s_imgPrev = {0, 0, 0, 0};

// A JPEG from the program's resources, decoded by the platform.
IPicture* LoadPicture(const char* name)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!found)
        return nullptr;
    const DWORD size = SizeofResource(instance, found);
    const void* bytes = LockResource(LoadResource(instance, found));
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    CopyMemory(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
    }
    return picture;
}

void Render(IPicture* picture, HDC dc, int x, int y, int width, int height)
{
    if (!picture)
        return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    picture->Render(dc, x, y, width, height, 0, h, w, -h, nullptr);
}

void PictureSize(IPicture* picture, int* width, int* height)
{
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    if (picture) {
        picture->get_Width(&w);
        picture->get_Height(&h);
    }
    // Its own size at the preview area's scale (the area is the settings window's, whose DPI that is).
    const int dpi = DpiOf(s_area);
    *width = MulDiv(w, dpi, 2540);
    *height = MulDiv(h, dpi, 2540);
}

// Black, the form's picture at its own size, and Img_Prev stretched over the whole area.
void Paint(HWND hWnd, HDC dc)
{
    RECT client = {};
    GetClientRect(hWnd, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    int w = 0, h = 0;
    PictureSize(s_background, &w, &h);
    Render(s_background, dc, 0, 0, w, h);
    Render(Img_Prev, dc, s_imgPrev.left, s_imgPrev.top, s_imgPrev.right - s_imgPrev.left, s_imgPrev.bottom - s_imgPrev.top);
}

// Windows 10 1607 and later keep a DPI awareness per window, and a window may only be made the child
// of one in the same awareness (unless the parent's thread asked for mixed hosting, which the
// settings window's does not). The thread takes on the preview area's awareness while it makes the
// form, so that the parenting stays within one awareness. Earlier systems have one awareness per
// process and nothing to ask.
class AreaAwareness {
public:
    explicit AreaAwareness(HWND area)
    {
        using GetWindowContext = DPI_AWARENESS_CONTEXT(WINAPI*)(HWND);
        using SetThreadContext = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
        HMODULE user32 = GetModuleHandleA("user32.dll");
        const auto getContext = reinterpret_cast<GetWindowContext>(
            reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
        m_set = reinterpret_cast<SetThreadContext>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
        if (getContext && m_set)
            if (DPI_AWARENESS_CONTEXT context = getContext(area))
                m_previous = m_set(context);
    }
    ~AreaAwareness()
    {
        if (m_previous)
            m_set(m_previous);
    }
    AreaAwareness(const AreaAwareness&) = delete;
    AreaAwareness& operator=(const AreaAwareness&) = delete;

private:
    DPI_AWARENESS_CONTEXT(WINAPI* m_set)(DPI_AWARENESS_CONTEXT) = nullptr;
    DPI_AWARENESS_CONTEXT m_previous = nullptr;
};

} // namespace

HWND PreviewForm::ShowInside(HWND area)
{
    OleInitialize(nullptr);
    s_area = area;
    s_background = LoadPicture("PREVIEW");
    Img_Prev = LoadPicture("IMG_PREV");

    // 5. Load the form, borderless and black, in the area's DPI awareness.
    RegisterFormClass(kClassName, Procedure, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    AreaAwareness awareness(area);
    s_form = CreateWindowExA(0, kClassName, "Preview Window", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!s_form)
        return nullptr;
    // 6.-7. A child of the preview area. A window cannot be a pop-up and a child at once, so the
    // pop-up bit goes as the child bit comes.
    const LONG style = GetWindowLongA(s_form, GWL_STYLE);
    SetWindowLongA(s_form, GWL_STYLE, (style | WS_CHILD) & ~static_cast<LONG>(WS_POPUP));
    // A form that could not be put inside the area would show nowhere and wait for an area that
    // never hosts it: the preview ends at once, as it does for an area that is not there.
    if (!SetParent(s_form, area) || GetParent(s_form) != area) {
        HWND form = s_form;
        s_form = nullptr;  // gone before it was shown: the caller ends the program
        DestroyWindow(form);
        return nullptr;
    }
    // 2.-4., 8.-9. The area's size is read only now, as its client rectangle: once the form is its
    // child both are in the same coordinates, which on a scaled display the screen's need not be
    // (and a frame around the area is no part of it). Img_Prev is as large.
    RECT r = {};
    GetClientRect(area, &r);
    MoveWindow(s_form, 0, 0, r.right, r.bottom, FALSE);
    s_imgPrev = {0, 0, r.right, r.bottom};
    // 10. Shown, without an owner.
    ShowWindow(s_form, SW_SHOWNA);
    // The form must not outlive the preview area: the system destroys the area when another screen
    // saver is chosen or the settings close.
    SetTimer(s_form, kWatchTimer, 250, nullptr);
    return s_form;
}

bool PreviewForm::Start(const std::string& arguments)
{
    // 1. The handle, from the fourth character on.
    HWND area = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewHandleOf(arguments)));
    if (!area || !IsWindow(area))
        return false;  // no preview area: nothing to show and nothing to wait for
    return ShowInside(area) != nullptr;
}

LRESULT CALLBACK PreviewForm::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT painted = 0;
    if (HandleOwnPainting(hWnd, message, wParam, [hWnd](HDC dc) { Paint(hWnd, dc); }, &painted))
        return painted;
    switch (message) {
    case WM_TIMER:
        if (wParam == kWatchTimer && !IsWindow(s_area))
            DestroyWindow(hWnd);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        // Form_Unload: once the preview form is gone the program ends.
        if (hWnd == s_form)
            EndProgram();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
