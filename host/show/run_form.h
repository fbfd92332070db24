// The run form Lunaquill_S: a hidden top-level window captioned "Lunaquill_Main" that starts the
// renderer and the music, covers every monitor, watches the show (every 500 ms, and at once when the
// system says the foreground, the keyboard focus or the renderer's windows changed), and ends the
// host once the renderer has gone (or when the form is closed in any other way), the renderer with
// it. A saver that guards a lock ends only through the user, or for the lock.
#pragma once

#include "foreground_hook.h"
#include "main/settings.h"
#include "music/background_music.h"
#include "renderer_process.h"
#include "screen_covers.h"
#include "show_plan.h"
#include "show_watch.h"

#include <windows.h>

#include <string>

class RunForm {
public:
    // secure: the saver guards a locked session (S mode only): the show then never ends by itself,
    // and ends at once when another program has the keyboard past graceMs (Windows' grace period).
    RunForm(Settings& settings, MciPort& port, const std::string& mode, bool secure, unsigned graceMs = 5000);

    // Creates the hidden window and runs Form_Load, which starts the renderer from programFolder.
    // False if the window could not be made.
    bool Load(const std::wstring& programFolder);
    // The show's message loop. However it ends (a WM_QUIT included), the form's unload runs: the music
    // stops, the renderer is closed, the cursor comes back, the desktop shows again, and the program
    // ends.
    [[noreturn]] void Run();
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load(const std::wstring& programFolder);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void TmrGuard_Timer();
    // Asks the watch about the show as it is now and carries out its verdict.
    void CheckShow();
    Foreground ForegroundNow() const;
    void FollowCovers();
    // The renderer's windows above the covers once they show, and the keyboard handed on to them.
    void HandOver();
    // Stops the music, closes the renderer, gives the cursor back in S mode and ends the program. The
    // user's input on a held screen ends it this way too, so that Windows locks the session.
    // rendererHung: its window stopped answering, and it is ended without waiting for it.
    [[noreturn]] void Form_QueryUnload(bool rendererHung = false);
    // Another program has the keyboard of a show that guards a lock: the program ends before anything
    // else, for Windows to lock now.
    [[noreturn]] void EndForLock();

    void EnableTimer(int id, bool enabled);
    bool TimerEnabled(int id) const { return m_timerEnabled[id]; }
    HWND RendererWindow() const;

    Settings& m_settings;
    BackgroundMusic m_music;
    std::string m_mode;
    std::wstring Renderer_Path;
    HWND m_hWnd;
    RendererProcess m_renderer;
    ShowWatch m_watch;
    ScreenCovers m_covers;
    ForegroundHook m_hook;
    bool m_timerEnabled[5];
    bool m_rendererLifted;  // its window is above the covers
    unsigned m_watchTicks;
    bool m_ending;
    volatile bool m_sessionEnding;
};
