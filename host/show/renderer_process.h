// The renderer's process, tied to the host's life. Windows knows only the host: were the host
// killed, crashed or logged off while the renderer ran, the renderer would go on full screen (on
// the screen-saver desktop, where nobody can reach it) with the display mode it switched to. So it
// runs in a job that ends it when the host's handle to the job closes, which Windows does however
// the host ends.
#pragma once

#include "show_watch.h"

#include <windows.h>

#include <string>

class RendererProcess {
public:
    RendererProcess() = default;
    ~RendererProcess();
    RendererProcess(const RendererProcess&) = delete;
    RendererProcess& operator=(const RendererProcess&) = delete;

    // Starts the program at path with the given arguments (each with its blank before it; none for the
    // original show), a normal window with the focus, in folder; false if it could not be started, or
    // not be tied to the host.
    bool Start(const std::wstring& path, const std::wstring& folder, const std::wstring& arguments = std::wstring());
    RendererState State() const;
    DWORD Id() const { return m_id; }
    DWORD MainThread() const { return m_thread; }
    // Asks the renderer's windows to close and waits up to graceMs for it to end, answering what is
    // sent to the host's windows meanwhile (on its way out the renderer gives the display mode back,
    // and that change is sent to every top-level window), or until stopWaiting is set by one of
    // them; then it is terminated and the desktop's display mode comes back.
    void Close(DWORD graceMs, const volatile bool& stopWaiting);

private:
    HANDLE m_process = nullptr;
    HANDLE m_job = nullptr;
    DWORD m_id = 0;
    DWORD m_thread = 0;
};
