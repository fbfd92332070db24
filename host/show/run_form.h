// The run form Lunaquill_S: a hidden top-level window captioned "Lunaquill_Main" that starts the
// renderer and the music, covers every monitor, watches for the renderer's window every 500 ms, and
// ends the host once it has gone (or when the form is closed in any other way).
#pragma once

#include "foreground_guard.h"
#include "main/settings.h"
#include "music/background_music.h"
#include "screen_covers.h"
#include "show_plan.h"

#include <windows.h>

#include <string>

class RunForm {
public:
    // secure: the saver guards a locked session (the show then ends when the foreground leaves it;
    // S mode only).
    RunForm(Settings& settings, MciPort& port, const std::string& mode, bool secure);

    // Creates the hidden window and runs Form_Load, which starts the renderer from programFolder.
    // False if the window could not be made.
    bool Load(const std::string& programFolder);
    // The show's message loop. However it ends (a WM_QUIT included), the form's unload runs: the music
    // stops, the cursor comes back, the desktop shows again, and the program ends.
    [[noreturn]] void Run();
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load(const std::string& programFolder);
    void StartRenderer(const std::string& folder);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void TmrGuard_Timer();
    // The foreground left a show that guards a lock: the renderer is closed and the host ends, so
    // that Windows locks the session.
    [[noreturn]] void EndForLock();
    // Stops the music, gives the cursor back in S mode and ends the program.
    [[noreturn]] void Form_QueryUnload();

    void EnableTimer(int id, bool enabled);
    bool TimerEnabled(int id) const { return m_timerEnabled[id]; }
    bool RendererRunning() const;
    HWND RendererWindow() const;

    Settings& m_settings;
    BackgroundMusic m_music;
    std::string m_mode;
    std::string Renderer_Path;
    HWND m_hWnd;
    HANDLE m_renderer;
    DWORD m_rendererThread;
    DWORD m_loadedAt;
    RendererWatch m_watch;
    ForegroundGuard m_guard;
    ScreenCovers m_covers;
    bool m_timerEnabled[5];
};
