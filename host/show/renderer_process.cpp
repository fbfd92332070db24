#include "renderer_process.h"

#include <vector>

namespace {

HANDLE JobThatEndsWithTheHost()
{
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits))) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM process)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

bool WaitAnswering(HANDLE process, DWORD timeoutMs, const volatile bool& stopWaiting)
{
    const DWORD start = GetTickCount();
    while (!stopWaiting) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // delivers the sent messages
    }
    return false;
}

// A renderer that was terminated could not give the display mode back.
void RestoreDesktopModeIfChanged()
{
    DEVMODEA current = {};
    current.dmSize = sizeof(current);
    DEVMODEA desktop = {};
    desktop.dmSize = sizeof(desktop);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) ||
        !EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &desktop))
        return;
    if (current.dmPelsWidth != desktop.dmPelsWidth || current.dmPelsHeight != desktop.dmPelsHeight ||
        current.dmBitsPerPel != desktop.dmBitsPerPel)
        ChangeDisplaySettingsA(nullptr, 0);
}

} // namespace

RendererProcess::~RendererProcess()
{
    if (m_process)
        CloseHandle(m_process);
    if (m_job)
        CloseHandle(m_job);  // ends the renderer if it still runs
}

bool RendererProcess::Start(const std::wstring& path, const std::wstring& folder, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + path + L"\"" + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    m_job = JobThatEndsWithTheHost();
    if (!m_job)
        return false;
    // Started suspended: it joins the job before it can do anything, and the permission to take the
    // foreground (which Windows gave the screen saver, not a process it starts) is handed on before
    // the renderer asks for it; without it, Escape would go to the program the user left.
    if (!CreateProcessW(path.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder.c_str(), &startup, &process))
        return false;
    if (!AssignProcessToJobObject(m_job, process.hProcess)) {
        // Not tied to the host, it could outlive it: it does not run.
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return false;
    }
    AllowSetForegroundWindow(process.dwProcessId);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_id = process.dwProcessId;
    m_thread = process.dwThreadId;
    return true;
}

RendererState RendererProcess::State() const
{
    if (!m_process)
        return RendererState::Failed;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
        return RendererState::Running;
    DWORD code = 1;
    GetExitCodeProcess(m_process, &code);
    return code == 0 ? RendererState::Ended : RendererState::Failed;
}

void RendererProcess::Close(DWORD graceMs, const volatile bool& stopWaiting)
{
    if (State() != RendererState::Running)
        return;
    EnumWindows(CloseWindowOf, static_cast<LPARAM>(m_id));
    if (WaitAnswering(m_process, graceMs, stopWaiting))
        return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 2000);
    RestoreDesktopModeIfChanged();
}
