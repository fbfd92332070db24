// Black windows over every monitor while a show runs. The renderer's display mode and window take
// one monitor only; on a PC with more, the others would go on showing the desktop (mail, documents,
// chat) for the whole show. The covers are top-most, so that no window and no taskbar shows
// through, yet never active and never in the taskbar or Alt+Tab; the renderer's own windows are
// lifted above them.
#pragma once

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
    // monitor plugged in or taken away) the covers move, come and go with them.
    void FollowMonitors();
    // Every visible top-level window of the renderer's thread above the covers.
    void LiftAbove(DWORD rendererThread);
    void Remove();

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_hideCursor;
    std::vector<RECT> m_monitors;
    std::vector<HWND> m_windows;
    bool m_relaid;  // covers made or moved since the renderer's windows were last lifted
};
