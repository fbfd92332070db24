// What a window tells assistive technology (Narrator, NVDA) about itself and the controls it draws
// itself, which have no window of their own: an accessible object (IAccessible) answering
// WM_GETOBJECT, over a list of items its owner describes. Drawn controls are the object's simple
// children (child ids 1, 2, ...).
#pragma once

#include <windows.h>

#include <string>

class AccessibleObject;

struct AccessibleItem {
    long role = 0;  // ROLE_SYSTEM_*
    std::wstring name;
    std::wstring value;
    std::wstring defaultAction;  // empty: none
    std::wstring shortcut;       // "Alt+S"
    long state = 0;              // STATE_SYSTEM_*
    RECT place = {};             // in the window's client pixels
};

class AccessibleItems {
public:
    AccessibleItems() = default;
    virtual ~AccessibleItems();  // an object a client still holds answers that it is gone
    AccessibleItems(const AccessibleItems&) = delete;
    AccessibleItems& operator=(const AccessibleItems&) = delete;

    // The answer to WM_GETOBJECT: this window's object for OBJID_CLIENT, else the system's.
    LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam);

    // The window itself (child 0), and its drawn controls 1..Count().
    virtual AccessibleItem Item(int child) = 0;
    virtual int Count() = 0;
    // The child with the keyboard focus: 0 the window itself, -1 none here.
    virtual int Focus() = 0;
    // Does what a click would; false where there is nothing to do.
    virtual bool DoDefaultAction(int child) = 0;

private:
    AccessibleObject* m_object = nullptr;
};
