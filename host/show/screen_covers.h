// Black windows over every monitor while a show runs. The renderer's display mode and window take
// one monitor only; on a PC with more, the others would go on showing the desktop (mail, documents,
// chat) for the whole show. The covers are top-most, so that no window and no taskbar shows
// through, and never in the taskbar or Alt+Tab; the renderer's own windows are lifted above them. The
// cover on the primary monitor holds the keyboard until the renderer's window takes it over, and
// again where the host has to hold the screen itself (a saver that guards a lock, without a renderer
// that has the keyboard): keys typed meanwhile never reach the program the user left. A click on a
// cover never activates it, and the user's input on them is reported to the host where it ends the
// show.
#pragma once

#include "shared/pointer_rest.h"

#include <windows.h>

#include <vector>

class ScreenCovers {
public:
    // hideCursor: no cursor over the covers (S mode).
    explicit ScreenCovers(bool hideCursor);
    ~ScreenCovers();
    ScreenCovers(const ScreenCovers&) = delete;
    ScreenCovers& operator=(const ScreenCovers&) = delete;

    // One cover per monitor, as the monitors are now; after a display change (a mode switch, a
    // monitor plugged in or taken away) the covers move, come and go with them. A cover that could
    // not be made is tried again at the next call.
    void FollowMonitors();
    // Every visible top-level window of the renderer's thread above the covers; true if it has one.
    bool LiftAbove(DWORD rendererThread);
    // The cover on the primary monitor takes the foreground and the keyboard, and takes them again
    // after each display change, until the keyboard is handed on.
    void TakeKeyboard();
    // The renderer's window takes the keyboard from here on: the covers no longer take it back.
    void HandOnKeyboard(HWND window);
    bool HaveKeyboard() const { return m_keyboard; }
    // A key, a button or a move of the pointer over any cover posts `message` to `notify`.
    void ReportInput(HWND notify, UINT message);
    void Remove();

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Activate();
    void UserInput();

    bool m_hideCursor;
    std::vector<RECT> m_monitors;
    std::vector<HWND> m_windows;
    bool m_relaid;  // covers made or moved since the renderer's windows were last lifted
    HWND m_notify;  // while the host holds the screen, or the user's input ends the show
    UINT m_message;
    bool m_keyboard;  // the primary cover holds the keyboard
    InputWatch m_pointer;
};
