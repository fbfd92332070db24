// The run form Lunaquill_S: a hidden top-level window captioned "Lunaquill_Main" that starts the
// renderer and the music, watches for the renderer's window every 500 ms, and ends the host once it
// has gone (or when the form is closed in any other way).
#pragma once

#include "main/settings.h"
#include "music/background_music.h"
#include "show_plan.h"

#include <windows.h>

#include <string>

class RunForm {
public:
    RunForm(Settings& settings, MciPort& port, const std::string& mode);

    // Creates the hidden window and runs Form_Load. False if the window could not be made.
    bool Load();
    HWND Window() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    void Form_Load();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    // Stops the music, gives the cursor back in S mode and ends the program.
    [[noreturn]] void Form_QueryUnload();

    void EnableTimer(int id, bool enabled);
    bool TimerEnabled(int id) const { return m_timerEnabled[id]; }

    Settings& m_settings;
    BackgroundMusic m_music;
    std::string m_mode;
    std::string Renderer_Path;
    HWND m_hWnd;
    HANDLE m_renderer;
    DWORD m_loadedAt;
    RendererWatch m_watch;
    bool m_timerEnabled[4];
};
