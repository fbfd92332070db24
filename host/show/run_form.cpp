#include "run_form.h"

#include "main/lunaquill_b.h"
#include "main/program_folder.h"
#include "forms/win32_forms.h"


namespace {

const char kClassName[] = "Lunaquill_S";
const int kTimer1 = 1, kTimer2 = 2, kTimer3 = 3, kTmrGuard = 4;
// TmrGuard stands in for the system's foreground event while a saver that guards a lock runs and no
// such event has come yet (none comes where the system raises none): it watches the foreground often
// enough that nobody gets to use the session behind the show. A laptop on battery pays for every
// wake-up, so it stops at the first foreground event.
const UINT kIntervals[5] = {0, 1000, 200, 500, 100};
// The covers follow the display changes Windows announces; every this many watch ticks (2 s) they
// are checked anyway, for a change that came unannounced or a cover that could not be made.
const unsigned kCoverCheckTicks = 4;
// How long the renderer gets to end by itself once it is asked to: giving the display mode back
// takes a real monitor a second or more.
const DWORD kRendererCloseMs = 5000;
// Posted by the covers: the user's key, click or mouse movement on a screen the host holds.
const UINT kUserInput = WM_APP + 1;
// Posted by the foreground hook: the foreground, the keyboard focus or the renderer's windows changed.
const UINT kShowEvent = WM_APP + 2;

} // namespace

RunForm::RunForm(Settings& settings, MciPort& port, const std::string& mode, bool secure, unsigned graceMs)
    : m_settings(settings), m_music(port, settings), m_mode(mode), m_hWnd(nullptr),
      m_watch(secure && mode == "S", GetTickCount(), graceMs), m_covers(mode == "S"),
      m_timerEnabled{false, false, false, false, false}, m_rendererLifted(false), m_watchTicks(0), m_ending(false),
      m_sessionEnding(false)
{
}

bool RunForm::Load(const std::wstring& programFolder)
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

void RunForm::Form_Load(const std::wstring& programFolder)
{
    // Every monitor black, and the keyboard with the host, before the renderer switches the display
    // mode, until the show ends; keys typed meanwhile never reach the program the user left.
    m_hook.Start(m_hWnd, kShowEvent);
    if (m_watch.Guarding())
        EnableTimer(kTmrGuard, true);
    m_covers.FollowMonitors();
    m_covers.TakeKeyboard();

    // The show the settings choose (no arguments for the original one), a normal window with the
    // focus; the host does not wait for it. One that cannot be started is found by the watch.
    Renderer_Path = JoinPath(programFolder, kRendererFileName);
    const ShowOptions options = ShowOptionsFor(m_settings);
    if (m_renderer.Start(Renderer_Path, options))
        m_hook.FollowRenderer(m_renderer.Id());
    // The renderer ends the show on the user's input in its own windows; a cover it does not reach
    // (a monitor it leaves black) ends it too.
    if (options.endOnInput && m_mode == "S")
        m_covers.ReportInput(m_hWnd, kUserInput);

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

HWND RunForm::RendererWindow() const
{
    return FindWindowA(nullptr, kRendererTitle);
}

Foreground RunForm::ForegroundNow() const
{
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        return Foreground::Nobody;
    DWORD owner = 0;
    GetWindowThreadProcessId(foreground, &owner);
    if (owner == GetCurrentProcessId() || (owner && owner == m_renderer.Id()))
        return Foreground::Show;
    return Foreground::Other;
}

void RunForm::FollowCovers()
{
    m_covers.FollowMonitors();
    m_rendererLifted = m_covers.LiftAbove(m_renderer.MainThread());
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
    if (++m_watchTicks % kCoverCheckTicks == 0)
        FollowCovers();
    HandOver();  // where the system raised no event as the renderer's window showed
    CheckShow();
}

void RunForm::TmrGuard_Timer()
{
    if (ForegroundHook::ForegroundEventsArrive()) {
        EnableTimer(kTmrGuard, false);
        return;
    }
    HandOver();
    CheckShow();
}

void RunForm::HandOver()
{
    if (!m_rendererLifted)
        m_rendererLifted = m_covers.LiftAbove(m_renderer.MainThread());
    // A held screen keeps the keyboard; the host, still in the foreground, may hand it on.
    if (m_rendererLifted && m_covers.HaveKeyboard() && !m_watch.Holding())
        if (HWND window = RendererWindow())
            m_covers.HandOnKeyboard(window);
}

void RunForm::CheckShow()
{
    HWND window = RendererWindow();
    RendererState renderer = m_renderer.State();
    if (renderer == RendererState::Running && window && IsHungAppWindow(window))
        renderer = RendererState::Hung;
    const ShowObservation seen = {window != nullptr, renderer, ForegroundNow(), GetTickCount()};
    const ShowVerdict verdict = m_watch.Check(seen);
    // A frozen picture above the covers is no show: a hung renderer is ended whatever comes next.
    if (renderer == RendererState::Hung && verdict != ShowVerdict::Over)
        m_renderer.Terminate();
    switch (verdict) {
    case ShowVerdict::Running:
        break;
    case ShowVerdict::Hold:
        m_covers.TakeKeyboard();
        m_covers.ReportInput(m_hWnd, kUserInput);
        break;
    case ShowVerdict::Over:
        Form_QueryUnload(renderer == RendererState::Hung);
    case ShowVerdict::EndForLock:
        EndForLock();
    }
}

void RunForm::Form_QueryUnload(bool rendererHung)
{
    m_ending = true;
    const bool cdPolling = TimerEnabled(kTimer2);
    for (int timer : {kTimer1, kTimer2, kTimer3, kTmrGuard})
        EnableTimer(timer, false);
    const bool showCursor = EndShowMusic(m_music, m_settings, cdPolling, m_mode);
    // The covers stay while the renderer ends, so the desktop shows only once the show is over. Ending
    // is ending: a renderer that has not shown its window yet would show it after the end, and is
    // ended at once, as is a hung one and one at a shutdown.
    const bool shown = m_watch.WindowSeen() || RendererWindow();
    m_renderer.Close(m_sessionEnding || rendererHung || !shown ? 0 : kRendererCloseMs, m_sessionEnding);
    if (showCursor)
        ShowCursor(TRUE);
    m_covers.Remove();
    EndProgram();
}

void RunForm::EndForLock()
{
    // Windows locks the session when this process ends: nothing may come first, no music and no wait
    // for the renderer. The renderer is in the host's job (or watches the host) and ends with it; the
    // lock screen's switch to its own desktop ends the temporary display mode the renderer set.
    m_ending = true;
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
            if (!form->m_ending)
                form->FollowCovers();
            break;
        case kShowEvent:
            if (!form->m_ending) {
                form->HandOver();
                form->CheckShow();
            }
            return 0;
        case kUserInput:  // on a screen the host holds
            if (!form->m_ending)
                form->Form_QueryUnload();
            return 0;
        case WM_CLOSE:  // another program closing the hidden window; while the show ends, it goes on
            if (!form->m_ending)
                form->Form_QueryUnload();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:  // the system shutting down or logging off: the renderer is ended at once
            if (wParam) {
                form->m_sessionEnding = true;
                if (!form->m_ending)
                    form->Form_QueryUnload();
            }
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}
