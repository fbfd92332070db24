// The renderer's process, tied to the host's life. Windows knows only the host: were the host
// killed, crashed or logged off while the renderer ran, the renderer would go on full screen (on
// the screen-saver desktop, where nobody can reach it) with the display mode it switched to. So it
// runs in a job that ends it when the host's handle to the job closes, which Windows does however
// the host ends; the same job ends it on an unhandled exception instead of leaving a crash dialog
// under the covers.
#pragma once

#include "show_watch.h"

#include "shared/show_options.h"

#include <windows.h>

#include <string>

// How the renderer starts from a program folder of any depth. Its path: as it is, or where it is
// MAX_PATH characters or longer (Windows starts no program from such a path), its short form where
// the volume keeps short names. Its current folder: the system folder, which every Windows accepts
// (it refuses one longer than MAX_PATH, and the renderer reads no files).
std::wstring StartablePath(const std::wstring& path);
std::wstring RendererFolder();

class RendererProcess {
public:
    RendererProcess() = default;
    ~RendererProcess();
    RendererProcess(const RendererProcess&) = delete;
    RendererProcess& operator=(const RendererProcess&) = delete;

    // Starts the program at path for the show the options ask for, a normal window with the focus;
    // false if it could not be started.
    bool Start(const std::wstring& path, ShowOptions options);
    // Running, Ended or Failed; whether it hangs is seen at its window.
    RendererState State() const;
    DWORD Id() const { return m_id; }
    DWORD MainThread() const { return m_thread; }
    // Asks the renderer's windows to close and waits up to graceMs for it to end, answering what is
    // sent to the host's windows meanwhile (on its way out the renderer gives the display mode back,
    // and that change is sent to every top-level window), or until stopWaiting is set by one of
    // them; then it is terminated and the desktop's display mode comes back.
    void Close(DWORD graceMs, const volatile bool& stopWaiting);
    // Ends it at once (hung, or still starting when the show ended).
    void Terminate();

private:
    bool Create(const std::wstring& program, const ShowOptions& options, DWORD flags, PROCESS_INFORMATION* process);

    HANDLE m_process = nullptr;
    HANDLE m_job = nullptr;
    DWORD m_id = 0;
    DWORD m_thread = 0;
};
