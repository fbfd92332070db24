#include "renderer_process.h"

#include <vector>

namespace {

HANDLE JobThatEndsWithTheHost()
{
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (!job)
        return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
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

void CloseHandles(PROCESS_INFORMATION* process)
{
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
}

} // namespace

std::wstring StartablePath(const std::wstring& path)
{
    if (path.size() < MAX_PATH)
        return path;
    const std::wstring longForm = L"\\\\?\\" + path;
    std::wstring shortForm(longForm.size() + 1, L'\0');
    const DWORD length = GetShortPathNameW(longForm.c_str(), &shortForm[0], static_cast<DWORD>(shortForm.size()));
    if (length == 0 || length >= shortForm.size())
        return path;
    shortForm.resize(length);
    if (shortForm.compare(0, 4, L"\\\\?\\") == 0)
        shortForm.erase(0, 4);
    return shortForm.size() < MAX_PATH ? shortForm : path;
}

std::wstring RendererFolder()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(folder) : std::wstring();
}

RendererProcess::~RendererProcess()
{
    if (m_process)
        CloseHandle(m_process);
    if (m_job)
        CloseHandle(m_job);  // ends the renderer if it still runs
}

bool RendererProcess::Create(const std::wstring& program, const ShowOptions& options, DWORD flags,
                             PROCESS_INFORMATION* process)
{
    const std::string words = ShowOptionsText(options);
    std::wstring commandLine = L"\"" + program + L"\"" + std::wstring(words.begin(), words.end());
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    const std::wstring folder = RendererFolder();
    return CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, process) != 0;
}

bool RendererProcess::Start(const std::wstring& path, ShowOptions options)
{
    m_job = JobThatEndsWithTheHost();
    if (!m_job)
        return false;
    const std::wstring program = StartablePath(path);
    PROCESS_INFORMATION process = {};
    // Started suspended: it joins the job before it can do anything, and the permission to take the
    // foreground is handed on before the renderer asks for it.
    if (!Create(program, options, CREATE_SUSPENDED, &process))
        return false;
    if (!AssignProcessToJobObject(m_job, process.hProcess)) {
        // Windows 7 keeps a process in one job only: where the host runs in another program's job, the
        // renderer leaves that job if it may and joins the host's; where it may not, it stays there
        // and ends by itself when the host's process ends.
        TerminateProcess(process.hProcess, 1);
        CloseHandles(&process);
        if (Create(program, options, CREATE_SUSPENDED | CREATE_BREAKAWAY_FROM_JOB, &process)) {
            if (!AssignProcessToJobObject(m_job, process.hProcess)) {
                TerminateProcess(process.hProcess, 1);
                CloseHandles(&process);
                return false;
            }
        } else {
            options.hostProcessId = GetCurrentProcessId();
            if (!Create(program, options, CREATE_SUSPENDED, &process))
                return false;
        }
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
    if (!WaitAnswering(m_process, graceMs, stopWaiting))
        Terminate();
}

void RendererProcess::Terminate()
{
    if (State() != RendererState::Running)
        return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, 2000);
    RestoreDesktopModeIfChanged();
}
