#include "accessible_object.h"

#include <oleacc.h>

// The IAccessible of one window, over its owner's items, until the owner goes.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND window, AccessibleItems* items) : m_window(window), m_items(items) {}
    void Disconnect() { m_items = nullptr; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients use the interface's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        *parent = nullptr;
        if (!m_items)
            return RPC_E_DISCONNECTED;
        return SUCCEEDED(AccessibleObjectFromWindow(m_window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                                    reinterpret_cast<void**>(parent)))
                   ? S_OK
                   : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!m_items)
            return RPC_E_DISCONNECTED;
        *count = m_items->Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override
    {
        *out = nullptr;  // the drawn controls are simple elements, no objects of their own
        return Valid(child) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override { return Text(child, &AccessibleItem::name, out); }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override
    {
        return Text(child, &AccessibleItem::value, out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override { return Nothing(child, out); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override
    {
        return Number(child, &AccessibleItem::role, out);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override
    {
        return Number(child, &AccessibleItem::state, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override { return Nothing(child, out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        *file = nullptr;
        *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override
    {
        return Text(child, &AccessibleItem::shortcut, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override
    {
        VariantInit(out);
        if (!m_items)
            return RPC_E_DISCONNECTED;
        const int focus = m_items->Focus();
        if (focus < 0)
            return S_FALSE;
        out->vt = VT_I4;
        out->lVal = focus;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override
    {
        VariantInit(out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        return Text(child, &AccessibleItem::defaultAction, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (!m_items)
            return RPC_E_DISCONNECTED;
        if (!Valid(child))
            return E_INVALIDARG;
        RECT r = child.lVal == CHILDID_SELF ? RECT() : m_items->Item(child.lVal).place;
        if (child.lVal == CHILDID_SELF)
            GetClientRect(m_window, &r);
        MapWindowPoints(m_window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override
    {
        VariantInit(out);
        if (!m_items)
            return RPC_E_DISCONNECTED;
        if (!Valid(start))
            return E_INVALIDARG;
        const long count = m_items->Count();
        long to = 0;
        if (start.lVal == CHILDID_SELF)
            to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
        else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)
            to = start.lVal + 1;
        else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)
            to = start.lVal - 1;
        if (to < 1 || to > count)
            return S_FALSE;
        out->vt = VT_I4;
        out->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override
    {
        VariantInit(out);
        if (!m_items)
            return RPC_E_DISCONNECTED;
        POINT p = {x, y};
        ScreenToClient(m_window, &p);
        RECT client;
        GetClientRect(m_window, &client);
        if (!PtInRect(&client, p))
            return S_FALSE;
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        for (int i = 1; i <= m_items->Count(); ++i) {
            const RECT place = m_items->Item(i).place;
            if (PtInRect(&place, p))
                out->lVal = i;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!m_items)
            return RPC_E_DISCONNECTED;
        if (!Valid(child))
            return E_INVALIDARG;
        return m_items->DoDefaultAction(child.lVal) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    bool Valid(const VARIANT& child) const
    {
        return m_items && child.vt == VT_I4 && child.lVal >= 0 && child.lVal <= m_items->Count();
    }
    HRESULT Text(const VARIANT& child, std::wstring AccessibleItem::*field, BSTR* out)
    {
        *out = nullptr;
        if (!m_items)
            return RPC_E_DISCONNECTED;
        if (!Valid(child))
            return E_INVALIDARG;
        const std::wstring text = m_items->Item(child.lVal).*field;
        if (text.empty())
            return S_FALSE;
        *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT Number(const VARIANT& child, long AccessibleItem::*field, VARIANT* out)
    {
        VariantInit(out);
        if (!m_items)
            return RPC_E_DISCONNECTED;
        if (!Valid(child))
            return E_INVALIDARG;
        out->vt = VT_I4;
        out->lVal = m_items->Item(child.lVal).*field;
        return S_OK;
    }
    HRESULT Nothing(const VARIANT& child, BSTR* out)
    {
        *out = nullptr;
        return Valid(child) ? S_FALSE : E_INVALIDARG;
    }

    LONG m_references = 1;
    HWND m_window;
    AccessibleItems* m_items;
};

AccessibleItems::~AccessibleItems()
{
    if (m_object) {
        m_object->Disconnect();
        m_object->Release();
    }
}

LRESULT AccessibleItems::Answer(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    if (!m_object)
        m_object = new AccessibleObject(window, this);
    return LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(m_object));
}
