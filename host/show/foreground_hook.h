// Tells the run form at once when the foreground or the keyboard focus moves anywhere on the desktop,
// and when the renderer shows a window, from the system's own events. Out of context: nothing of the
// host runs inside other programs, and no timer wakes the host to ask meanwhile. Each event posts one
// message to the run form, which then looks at the show as it is.
#pragma once

#include <windows.h>

#include <vector>

class ForegroundHook {
public:
    ForegroundHook() = default;
    ~ForegroundHook();
    ForegroundHook(const ForegroundHook&) = delete;
    ForegroundHook& operator=(const ForegroundHook&) = delete;

    // Posts `message` to `notify` for every foreground or focus change.
    void Start(HWND notify, UINT message);
    // Also for every window the renderer's process shows.
    void FollowRenderer(DWORD processId);
    // The system has raised a foreground event since the start (the host's own cover taking the
    // keyboard raises one): from then on nobody needs to ask for the foreground in between. Wine
    // raises none.
    static bool ForegroundEventsArrive();

private:
    static void CALLBACK Event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                               DWORD timeMs);
    void Hook(DWORD event, DWORD processId, DWORD flags);

    std::vector<HWINEVENTHOOK> m_hooks;
};
