#include "run_form.h"

#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "forms/win32_forms.h"

#include <vector>

namespace {

const char kClassName[] = "Lunaquill_S";
const int kTimer1 = 1, kTimer2 = 2, kTimer3 = 3, kTmrGuard = 4;
// TmrGuard keeps the covers right and, where the saver guards a lock, watches the foreground: often
// enough that nobody gets to use the session behind the show.
const UINT kIntervals[5] = {0, 1000, 200, 500, 100};
// How long a renderer closed for the lock gets to end by itself.
const DWORD kRendererCloseMs = 500;

// Waits for a process to end while answering what is sent to the host's windows: on its way out the
// renderer gives the display mode back, and that change is sent to every top-level window.
bool WaitAnswering(HANDLE process, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
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
}

} // namespace

RunForm::RunForm(Settings& settings, MciPort& port, const std::string& mode, bool secure)
    : m_settings(settings), m_music(port, settings), m_mode(mode), m_hWnd(nullptr), m_renderer(nullptr),
      m_rendererThread(0), m_loadedAt(0), m_guard(secure && mode == "S"),
      m_covers(mode == "S"), m_timerEnabled{false, false, false, false, false}
{
}

bool RunForm::Load(const std::string& programFolder)
{
    RegisterFormClass(kClassName, Procedure);
    m_hWnd = CreateWindowExA(0, kClassName, kRunFormCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!m_hWnd)
        return false;
    EnableTimer(kTimer3, true);  // enabled as the form is created
    Form_Load(programFolder);
    return true;
}

void RunForm::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Form_QueryUnload();
}

void RunForm::EnableTimer(int id, bool enabled)
{
    if (enabled)
        SetTimer(m_hWnd, static_cast<UINT_PTR>(id), kIntervals[id], nullptr);
    else
        KillTimer(m_hWnd, static_cast<UINT_PTR>(id));
    m_timerEnabled[id] = enabled;
}

void RunForm::Form_Load(const std::string& programFolder)
{
    // Every monitor black before the renderer switches the display mode, until the show ends.
    m_covers.FollowMonitors();
    EnableTimer(kTmrGuard, true);

    StartRenderer(programFolder);

    switch (MusicFor(m_settings)) {
    case MusicSource::Cd:
        m_music.CD_Open();
        EnableTimer(kTimer2, true);  // the music starts at its first tick
        break;
    case MusicSource::Wav:
        m_music.WAV_Play();
        break;
    case MusicSource::Mp3:
        m_music.MP3_Play();
        EnableTimer(kTimer1, true);  // also when the file could not be opened
        break;
    case MusicSource::None:
        break;
    }
}

void RunForm::StartRenderer(const std::string& folder)
{
    Renderer_Path = JoinPath(folder, kRendererFileName);
    // No arguments, a normal window with the focus; the host does not wait for it.
    std::string commandLine = "\"" + Renderer_Path + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    // Started suspended, so that the permission to take the foreground (which Windows gave the
    // screen saver, not a process it starts) is handed on before the renderer asks for it: without
    // it, Escape would go to the program the user left.
    if (CreateProcessA(Renderer_Path.c_str(), buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       folder.c_str(), &startup, &process)) {
        AllowSetForegroundWindow(process.dwProcessId);
        ResumeThread(process.hThread);
        CloseHandle(process.hThread);
        m_renderer = process.hProcess;
        m_rendererThread = process.dwThreadId;
    }
    m_loadedAt = GetTickCount();
}

bool RunForm::RendererRunning() const
{
    return m_renderer && WaitForSingleObject(m_renderer, 0) == WAIT_TIMEOUT;
}

HWND RunForm::RendererWindow() const
{
    return FindWindowA(nullptr, kRendererTitle);
}

void RunForm::Timer1_Timer()
{
    m_music.MP3_Repeat();
}

void RunForm::Timer2_Timer()
{
    m_music.CD_Check();
    // A failed query stops the polling for the rest of the show; a good one leaves the timer as it
    // runs (setting it again would restart its interval, and the polling would drift).
    if (!m_music.CD_Ok)
        EnableTimer(kTimer2, false);
}

void RunForm::Timer3_Timer()
{
    const bool found = RendererWindow() != nullptr;
    if (!m_watch.ShowIsOver(found, RendererRunning(), GetTickCount() - m_loadedAt))
        return;
    EnableTimer(kTimer3, false);
    Form_QueryUnload();
}

void RunForm::TmrGuard_Timer()
{
    m_covers.FollowMonitors();
    m_covers.LiftAbove(m_rendererThread);
    if (!m_guard.Guarding())
        return;
    DWORD owner = 0;
    if (HWND foreground = GetForegroundWindow())
        GetWindowThreadProcessId(foreground, &owner);
    const bool foregroundIsShow =
        owner && (owner == GetCurrentProcessId() || (m_renderer && owner == GetProcessId(m_renderer)));
    if (m_guard.ShowMustEnd(RendererWindow() != nullptr, GetTickCount(), foregroundIsShow))
        EndForLock();
}

void RunForm::EndForLock()
{
    EnableTimer(kTmrGuard, false);
    EnableTimer(kTimer3, false);
    if (m_renderer) {
        // The renderer ends on WM_CLOSE; one that does not (hung) is not left drawing behind the lock.
        for (HWND window = RendererWindow(); window; window = FindWindowExA(nullptr, window, nullptr, kRendererTitle)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == GetProcessId(m_renderer))
                PostMessageA(window, WM_CLOSE, 0, 0);
        }
        if (!WaitAnswering(m_renderer, kRendererCloseMs))
            TerminateProcess(m_renderer, 0);
    }
    Form_QueryUnload();
}

void RunForm::Form_QueryUnload()
{
    const bool cdPolling = TimerEnabled(kTimer2);
    EnableTimer(kTimer2, false);
    EnableTimer(kTimer1, false);
    EnableTimer(kTmrGuard, false);
    if (EndShowMusic(m_music, m_settings, cdPolling, m_mode))
        ShowCursor(TRUE);
    m_covers.Remove();
    EndProgram();
}

LRESULT CALLBACK RunForm::Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RunForm* form = static_cast<RunForm*>(FormObject(hWnd, message, lParam));
    if (form) {
        switch (message) {
        case WM_TIMER:
            if (wParam == kTimer1 && form->TimerEnabled(kTimer1))
                form->Timer1_Timer();
            else if (wParam == kTimer2 && form->TimerEnabled(kTimer2))
                form->Timer2_Timer();
            else if (wParam == kTimer3 && form->TimerEnabled(kTimer3))
                form->Timer3_Timer();
            else if (wParam == kTmrGuard && form->TimerEnabled(kTmrGuard))
                form->TmrGuard_Timer();
            return 0;
        case WM_DISPLAYCHANGE:  // the renderer's mode switch, a monitor plugged in or taken away
            form->m_covers.FollowMonitors();
            form->m_covers.LiftAbove(form->m_rendererThread);
            break;
        case WM_CLOSE:  // another program closing the hidden window
            form->Form_QueryUnload();
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:  // the system shutting down or logging off
            if (wParam)
                form->Form_QueryUnload();
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
