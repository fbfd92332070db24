// The run form in this process, with a CD drive that answers: how its CD timer is set, that a WM_QUIT
// still ends the show through its unload (the drive stopped and closed, as a real drive keeps playing
// after its program has gone), and how often its timers wake it. The form ends its program, so the
// show runs in a child process of its own (a death test) and reports there on one line of its error
// output.
#include "import_patch.h"
#include "show/run_form.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class CdDrive : public MciPort {
public:
    int SendString(const std::string& command, std::string* reply, unsigned) override
    {
        std::fprintf(stderr, "[%s]", command.c_str());
        if (reply)
            *reply = command.find("mode") != std::string::npos ? "playing" : "1";
        return 0;
    }
    bool ErrorString(int, std::string*, unsigned) override { return false; }
    unsigned WaveOutDevices() override { return 1; }
    bool PlaySoundName(const char*, unsigned) override { return true; }
};

int s_cdTimerSet = 0;
int s_ticks[5] = {};  // by the form's timer: 1 MP3, 2 CD, 3 the watch, 4 the guard
void* s_setTimer = nullptr;
void* s_dispatch = nullptr;

UINT_PTR WINAPI CountingSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure)
{
    if (window && id == 2)
        ++s_cdTimerSet;
    return reinterpret_cast<UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC)>(s_setTimer)(window, id, ms, procedure);
}

LRESULT WINAPI CountingDispatch(const MSG* msg)
{
    if (msg->message == WM_TIMER && msg->hwnd && msg->wParam < 5)
        ++s_ticks[msg->wParam];
    return reinterpret_cast<LRESULT(WINAPI*)(const MSG*)>(s_dispatch)(msg);
}

void CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD)
{
    std::fprintf(stderr, "(CD timer set %d times; ticks: MP3 %d, CD %d, watch %d, guard %d)", s_cdTimerSet, s_ticks[1],
                 s_ticks[2], s_ticks[3], s_ticks[4]);
    PostQuitMessage(0);
}

void RunShowUntilAQuit(std::int16_t musicKind, UINT quitMs)
{
    ImportPatch timers("user32.dll", "SetTimer", reinterpret_cast<void*>(&CountingSetTimer));
    ImportPatch dispatch("user32.dll", "DispatchMessageA", reinterpret_cast<void*>(&CountingDispatch));
    s_setTimer = timers.Original();
    s_dispatch = dispatch.Original();
    // Stands in for the renderer's window, so the watch lets the show run.
    CreateWindowExA(0, "STATIC", "LunaquillVC", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                    nullptr);
    Settings settings;
    settings.BGM_Kind = musicKind;
    CdDrive drive;
    RunForm form(settings, drive, "S", false);
    form.Load(L"C:\\no renderer here");
    SetTimer(nullptr, 0, quitMs, Quit);  // then someone posts WM_QUIT
    form.Run();
}

} // namespace

TEST(RunFormDeathTest, CdPollingKeepsItsPaceAndAQuitStillEndsTheShowThroughItsUnload)
{
    EXPECT_EXIT(RunShowUntilAQuit(1, 1100), ::testing::ExitedWithCode(0),
                "^\\[open cdaudio\\]\\[set cdaudio time format tmsf\\]"
                "\\[status cdaudio current track\\].*\\(CD timer set 1 times; ticks: MP3 0, CD \\d, watch \\d, guard 0\\)"
                "\\[stop cdaudio\\]\\[close cdaudio\\]$");
    // A plain show wakes the host for nothing but its watch, twice a second (40 times in 20 s), for as
    // long as it runs.
    EXPECT_EXIT(RunShowUntilAQuit(0, 20250), ::testing::ExitedWithCode(0),
                "^\\(CD timer set 0 times; ticks: MP3 0, CD 0, watch \\d\\d, guard 0\\)$");
}
