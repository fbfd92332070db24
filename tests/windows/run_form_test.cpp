// The run form in this process, with a CD drive that answers: how its CD timer is set, and that a
// WM_QUIT still ends the show through its unload (the drive stopped and closed, as a real drive keeps
// playing after its program has gone). The form ends its program, so the show runs in a child
// process of its own (a death test) and reports there on one line of its error output.
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
void* s_setTimer = nullptr;

UINT_PTR WINAPI CountingSetTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure)
{
    if (window && id == 2)
        ++s_cdTimerSet;
    return reinterpret_cast<UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC)>(s_setTimer)(window, id, ms, procedure);
}

void CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD)
{
    std::fprintf(stderr, "(CD timer set %d times)", s_cdTimerSet);
    PostQuitMessage(0);
}

void RunCdShowUntilAQuit()
{
    ImportPatch patch("user32.dll", "SetTimer", reinterpret_cast<void*>(&CountingSetTimer));
    s_setTimer = patch.Original();
    // Stands in for the renderer's window, so the watch lets the show run.
    CreateWindowExA(0, "STATIC", "LunaquillVC", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                    nullptr);
    Settings settings;
    settings.BGM_Kind = 1;
    CdDrive drive;
    RunForm form(settings, drive, "S", false);
    form.Load(L"C:\\no renderer here");
    SetTimer(nullptr, 0, 1100, Quit);  // after five ticks of the CD timer, someone posts WM_QUIT
    form.Run();
}

} // namespace

TEST(RunFormDeathTest, CdPollingKeepsItsPaceAndAQuitStillEndsTheShowThroughItsUnload)
{
    EXPECT_EXIT(RunCdShowUntilAQuit(), ::testing::ExitedWithCode(0),
                "^\\[open cdaudio\\]\\[set cdaudio time format tmsf\\]"
                "\\[status cdaudio current track\\].*\\(CD timer set 1 times\\)\\[stop cdaudio\\]\\[close cdaudio\\]$");
}
