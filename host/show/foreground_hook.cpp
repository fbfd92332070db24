#include "foreground_hook.h"

namespace {

// One run form per process: where the events go.
HWND s_notify = nullptr;
UINT s_message = 0;
bool s_foregroundEvents = false;

} // namespace

ForegroundHook::~ForegroundHook()
{
    for (HWINEVENTHOOK hook : m_hooks)
        UnhookWinEvent(hook);
}

void ForegroundHook::Start(HWND notify, UINT message)
{
    s_notify = notify;
    s_message = message;
    // The foreground event names the window that took it, the host's own included; the focus event
    // follows the keyboard where the system raises no foreground event.
    Hook(EVENT_SYSTEM_FOREGROUND, 0, 0);
    Hook(EVENT_OBJECT_FOCUS, 0, WINEVENT_SKIPOWNPROCESS);
}

void ForegroundHook::FollowRenderer(DWORD processId)
{
    if (processId)
        Hook(EVENT_OBJECT_SHOW, processId, 0);
}

bool ForegroundHook::ForegroundEventsArrive()
{
    return s_foregroundEvents;
}

void ForegroundHook::Hook(DWORD event, DWORD processId, DWORD flags)
{
    if (HWINEVENTHOOK hook = SetWinEventHook(event, event, nullptr, Event, processId, 0, WINEVENT_OUTOFCONTEXT | flags))
        m_hooks.push_back(hook);
}

void CALLBACK ForegroundHook::Event(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD)
{
    // A window shown is the renderer's; its carets, cursors and menus are not windows of its own.
    if (event == EVENT_OBJECT_SHOW && (object != OBJID_WINDOW || !window || GetAncestor(window, GA_ROOT) != window))
        return;
    if (event == EVENT_SYSTEM_FOREGROUND)
        s_foregroundEvents = true;
    if (s_notify)
        PostMessageA(s_notify, s_message, 0, 0);
}
