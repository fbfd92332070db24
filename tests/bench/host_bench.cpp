// The host's cost during a show: CPU time of Lunaquill.scr over a show of SECONDS, and the time from
// starting it to the renderer's window.  host_bench SECONDS [MUSIC_FILE]
// It prints "measuring" once the show runs and "measured" before it ends it, so that a reader
// outside the process can take its own readings between the two (Wine's process times do not move).
#include "win32_driver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace lqtest;

namespace {

double Seconds(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 1e7;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
    const std::string music = argc > 2 ? argv[2] : "";
    const std::string folder = FolderWithPrograms("Lunaquill bench");
    const std::string ini = folder + "\\Lunaquill.ini";
    WritePrivateProfileStringA("Section", "BGM\x8B\xE6\x95\xAA", music.empty() ? " 0" : " 2", ini.c_str());
    WritePrivateProfileStringA("Section", "BGM\xCC\xA7\xB2\xD9", music.c_str(), ini.c_str());

    Process host;
    const DWORD start = GetTickCount();
    if (!host.Start(folder + "\\Lunaquill.scr", "/s"))
        return 1;
    HWND window = WaitForWindow("LunaquillVC", 20000);
    if (!window)
        return 1;
    const DWORD toWindow = GetTickCount() - start;
    std::printf("measuring\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds * 1000));
    std::printf("measured\n");
    std::fflush(stdout);
    FILETIME created, exited, kernel, user;
    GetProcessTimes(host.Handle(), &created, &exited, &kernel, &user);
    const double cpu = Seconds(kernel) + Seconds(user);
    PostMessageA(window, WM_CLOSE, 0, 0);
    host.WaitForExit(5000);
    DeleteFileA(ini.c_str());

    std::printf("host %s: renderer window %lu ms after start; host CPU %.3f s in %.0f s = %.2f%% of one core\n",
                music.empty() ? "without music" : "with an MP3", toWindow, cpu, seconds, 100.0 * cpu / seconds);
    return 0;
}
