// A long run of the real programs, to show what they keep: memory, handles and GDI/USER objects of
// the host and the renderer after a warm-up and at the end.
//   soak show MINUTES MUSIC_FILE   a show with that music (kind 2), ended with Escape
//   soak dialog CROSSINGS PICKERS  the settings dialog: the pointer crosses its buttons, the file
//                                  picker opens and closes
// Before the show ends it creates "measure-now" in its folder and waits, so that a script can record
// whether the music still plays; the folder is printed on the first line.
#include "win32_driver.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace lqtest;

namespace {

struct Usage {
    bool ok = false;
    double commitKiB = 0, workingSetKiB = 0;
    DWORD handles = 0, gdi = 0, user = 0, windows = 0;
};

// Wine answers GetProcessHandleCount and GetGuiResources with 0. There the counts come from what
// Wine does keep: the system's handle list, and the process's GDI handle table (24-byte entries,
// type byte at 14, found through the PEB), which it lays out as Windows did.
bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD HandlesFromSystemList(DWORD process)
{
    struct Entry {
        ULONG process;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    LONG status;
    while ((status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
               static_cast<LONG>(0xC0000004) /* STATUS_INFO_LENGTH_MISMATCH */ &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    ULONG count = 0;
    std::memcpy(&count, buffer.data(), sizeof(count));
    const unsigned char* entries = buffer.data() + sizeof(ULONG_PTR);
    DWORD mine = 0;
    for (ULONG i = 0; i < count; ++i) {
        Entry e;
        std::memcpy(&e, entries + i * sizeof(Entry), sizeof(Entry));
        mine += e.process == process ? 1 : 0;
    }
    return mine;
}

DWORD GdiFromHandleTable(HANDLE process)
{
    struct BasicInformation {
        LONG exitStatus;
        PVOID peb;
        ULONG_PTR affinity, priority, id, parent;
    } basic = {};
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PVOID table = nullptr;
    if (query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), nullptr) != 0 ||
        !ReadProcessMemory(process, static_cast<char*>(basic.peb) + 0xF8, &table, sizeof(table), nullptr) || !table)
        return 0;
    const std::size_t entrySize = 24, entries = 0x10000;
    std::vector<unsigned char> copy(entrySize * entries);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, table, copy.data(), copy.size(), &read))
        return 0;
    DWORD used = 0;
    for (std::size_t i = 0; i < read / entrySize; ++i)
        used += copy[i * entrySize + 14] != 0 ? 1 : 0;
    return used;
}

struct WindowCount {
    DWORD process, count;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM data)
{
    WindowCount* c = reinterpret_cast<WindowCount*>(data);
    if (OwnerOf(window) == c->process) {
        ++c->count;
        EnumChildWindows(window, CountWindow, data);
    }
    return TRUE;
}

// Top-level windows and their children: the USER objects that can be counted from outside.
DWORD WindowsOf(DWORD process)
{
    WindowCount c = {process, 0};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&c));
    return c.count;
}

Usage Measure(DWORD process)
{
    Usage u;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process);
    if (!h)
        return u;
    // PagefileUsage is the commit charge (Windows gives the same figure as PrivateUsage; Wine only this).
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    u.ok = GetProcessMemoryInfo(h, &memory, sizeof(memory)) && GetProcessHandleCount(h, &u.handles);
    u.commitKiB = static_cast<double>(memory.PagefileUsage) / 1024.0;
    u.workingSetKiB = static_cast<double>(memory.WorkingSetSize) / 1024.0;
    u.gdi = GetGuiResources(h, GR_GDIOBJECTS);
    u.user = GetGuiResources(h, GR_USEROBJECTS);
    if (UnderWine()) {
        u.handles = u.handles ? u.handles : HandlesFromSystemList(process);
        u.gdi = u.gdi ? u.gdi : GdiFromHandleTable(h);
    }
    u.windows = WindowsOf(process);
    CloseHandle(h);
    return u;
}

void Print(const char* who, const char* when, const Usage& u)
{
    if (!u.ok) {
        std::printf("%-8s %-8s not measurable (error %lu)\n", who, when, GetLastError());
        return;
    }
    std::printf("%-8s %-8s commit %8.0f KiB  working set %8.0f KiB  handles %5lu  GDI objects %5lu  USER objects %5lu  windows %4lu\n",
                who, when, u.commitKiB, u.workingSetKiB, u.handles, u.gdi, u.user, u.windows);
}

void Ratio(const char* what, double first, double last)
{
    if (first <= 0)
        std::printf("  %s n/a (%.0f -> %.0f: the system reports none)", what, first, last);
    else
        std::printf("  %s %.3f%s", what, last / first, last / first <= 1.05 ? "" : " (over 1.05)");
}

void Compare(const char* who, const Usage& first, const Usage& last)
{
    Print(who, "warm-up", first);
    Print(who, "end", last);
    if (!first.ok || !last.ok)
        return;
    std::printf("%-8s end/warm-up:", who);
    Ratio("commit", first.commitKiB, last.commitKiB);
    Ratio("working set", first.workingSetKiB, last.workingSetKiB);
    Ratio("handles", first.handles, last.handles);
    Ratio("GDI", first.gdi, last.gdi);
    Ratio("USER", first.user, last.user);
    Ratio("windows", first.windows, last.windows);
    std::printf("\n");
}

std::string Folder()
{
    const std::string folder = FolderWithPrograms("Lunaquill soak");
    std::printf("folder %s\n", folder.c_str());
    std::fflush(stdout);
    return folder;
}

int Show(double minutes, const std::string& music)
{
    const std::string folder = Folder();
    const std::string ini = folder + "\\Lunaquill.ini";
    WritePrivateProfileStringA("Section", "BGM\x8B\xE6\x95\xAA", " 2", ini.c_str());  // BGM区分
    WritePrivateProfileStringA("Section", "BGM\xCC\xA7\xB2\xD9", music.c_str(), ini.c_str());  // BGMﾌｧｲﾙ

    Process host;
    if (!host.Start(folder + "\\Lunaquill.scr", "/s"))
        return 1;
    HWND window = WaitForWindow("LunaquillVC", 20000);
    if (!window)
        return 1;
    const DWORD renderer = OwnerOf(window);
    const DWORD total = static_cast<DWORD>(minutes * 60000);
    const DWORD warmUp = total / 10;
    const DWORD start = GetTickCount();
    Sleep(warmUp);
    const Usage hostFirst = Measure(host.Id()), rendererFirst = Measure(renderer);
    while (GetTickCount() - start < total) {
        if (!host.Running() || !IsWindow(window)) {
            std::printf("the show ended by itself after %lu s\n", (GetTickCount() - start) / 1000);
            return 1;
        }
        Sleep(1000);
    }
    const Usage hostLast = Measure(host.Id()), rendererLast = Measure(renderer);
    std::printf("show of %.1f min with %s; warm-up %.0f s\n", minutes, music.c_str(), warmUp / 1000.0);
    Compare("host", hostFirst, hostLast);
    Compare("renderer", rendererFirst, rendererLast);
    std::fflush(stdout);

    CloseHandle(CreateFileA((folder + "\\measure-now").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Sleep(8000);
    PressKey(window, VK_ESCAPE);
    const bool ended = host.WaitForExit(5000);
    std::printf("Escape %s the show\n", ended ? "ended" : "did not end");
    return ended ? 0 : 1;
}

void MoveTo(POINT p)
{
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
    Sleep(12);
}

// Left of Set, over Set, over Cancel, right of Cancel, and back: two crossings of each button (twips
// from Set's left edge, along its middle).
void Cross(const Dialog& dialog)
{
    const int xs[] = {-360, 40, 340, 640, 990, 1240, 1540, 1840, 2140};
    for (int x : xs)
        MoveTo(ControlPoint(dialog, "Cmd_Set", -1, x, 180));
    for (int i = static_cast<int>(sizeof(xs) / sizeof(xs[0])) - 2; i >= 0; --i)
        MoveTo(ControlPoint(dialog, "Cmd_Set", -1, xs[i], 180));
}

bool OpenAndClosePicker(const Dialog& dialog)
{
    const char title[] = "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD";  // ﾌｧｲﾙを開く
    const POINT button = ControlPoint(dialog, "Cmd_File", 0);
    ClickAt(button.x, button.y);
    HWND picker = WaitForWindow(title, 15000);
    if (!picker || !WaitUntil([picker] { return IsWindowVisible(picker) != FALSE; }, 5000))
        return false;
    PressKey(picker, VK_ESCAPE);
    return WaitForNoWindow(title, 5000);
}

int DialogSoak(int crossings, int pickers)
{
    const std::string folder = Folder();
    Process host;
    const Dialog dialog = OpenDialog(host, folder);
    if (!dialog.window || !dialog.panel)
        return 1;
    const POINT mp3Row = ControlPoint(dialog, "lbl_BGM", 2);  // MP3/WAV, so that the file button is enabled
    ClickAt(mp3Row.x, mp3Row.y);

    // Each round crosses the buttons twice; a tenth of the work is the warm-up.
    const int rounds = (crossings + 1) / 2;
    const int warmRounds = rounds / 10, warmPickers = pickers / 10 > 0 ? pickers / 10 : 1;
    int opened = 0;
    Usage first;
    for (int round = 0, picker = 0; round < rounds || picker < pickers;) {
        if (round < rounds) {
            Cross(dialog);
            ++round;
        }
        const int pickerDue = rounds > 0 ? static_cast<int>(static_cast<long long>(round) * pickers / rounds) : pickers;
        while (picker < pickers && picker < pickerDue) {
            opened += OpenAndClosePicker(dialog) ? 1 : 0;
            SetForegroundWindow(dialog.window);
            ++picker;
        }
        if (round >= warmRounds && picker >= warmPickers && !first.ok) {
            Sleep(500);
            first = Measure(host.Id());
        }
    }
    Sleep(500);
    const Usage last = Measure(host.Id());
    std::printf("dialog: %d button crossings, file picker opened and closed %d of %d times\n", rounds * 2, opened,
                pickers);
    Compare("host", first, last);
    const POINT cancel = ControlPoint(dialog, "Cmd_Can");
    ClickAt(cancel.x, cancel.y);
    const bool ended = host.WaitForExit(5000);
    std::printf("Cancel %s the dialog\n", ended ? "closed" : "did not close");
    return ended && opened == pickers ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "show" && argc == 4)
        return Show(std::atof(argv[2]), argv[3]);
    if (mode == "dialog" && argc == 4)
        return DialogSoak(std::atoi(argv[2]), std::atoi(argv[3]));
    std::fprintf(stderr, "usage: soak show MINUTES MUSIC_FILE | soak dialog CROSSINGS PICKERS\n");
    return 2;
}
