#include "run_form.h"

#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "main/win32_forms.h"

#include <vector>

namespace {

const char kClassName[] = "Lunaquill_S";
const int kTimer1 = 1, kTimer2 = 2, kTimer3 = 3;
const UINT kIntervals[4] = {0, 1000, 200, 500};

} // namespace

RunForm::RunForm(Settings& settings, MciPort& port, const std::string& mode)
    : m_settings(settings), m_music(port, settings), m_mode(mode), m_hWnd(nullptr), m_renderer(nullptr),
      m_loadedAt(0), m_timerEnabled{false, false, false, false}
{
}

bool RunForm::Load()
{
    RegisterFormClass(kClassName, Procedure);
    m_hWnd = CreateWindowExA(0, kClassName, kRunFormCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (!m_hWnd)
        return false;
    EnableTimer(kTimer3, true);  // enabled as the form is created
    Form_Load();
    return true;
}

void RunForm::EnableTimer(int id, bool enabled)
{
    if (enabled)
        SetTimer(m_hWnd, static_cast<UINT_PTR>(id), kIntervals[id], nullptr);
    else
        KillTimer(m_hWnd, static_cast<UINT_PTR>(id));
    m_timerEnabled[id] = enabled;
}

void RunForm::Form_Load()
{
    const std::string folder = ProgramFolder();
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
    if (CreateProcessA(Renderer_Path.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                       &startup, &process)) {
        CloseHandle(process.hThread);
        m_renderer = process.hProcess;
    }
    m_loadedAt = GetTickCount();

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

void RunForm::Timer1_Timer()
{
    m_music.MP3_Repeat();
}

void RunForm::Timer2_Timer()
{
    m_music.CD_Check();
    EnableTimer(kTimer2, m_music.CD_Ok);  // a failed query stops the polling for the rest of the show
}

void RunForm::Timer3_Timer()
{
    const bool found = FindWindowA(nullptr, kRendererTitle) != nullptr;
    const bool running = m_renderer && WaitForSingleObject(m_renderer, 0) == WAIT_TIMEOUT;
    if (!m_watch.ShowIsOver(found, running, GetTickCount() - m_loadedAt))
        return;
    EnableTimer(kTimer3, false);
    Form_QueryUnload();
}

void RunForm::Form_QueryUnload()
{
    const bool cdPolling = TimerEnabled(kTimer2);
    EnableTimer(kTimer2, false);
    EnableTimer(kTimer1, false);
    if (EndShowMusic(m_music, m_settings, cdPolling, m_mode))
        ShowCursor(TRUE);
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
            return 0;
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
