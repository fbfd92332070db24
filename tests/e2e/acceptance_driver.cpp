// The acceptance run's hands: uses the installed Lunaquill as a person would, one phase per call.
//   acceptance_driver configure FOLDER MUSIC_FILE   /c, choose MP3/WAV, pick the file, Set
//   acceptance_driver show FOLDER                   /s, let it play, Escape, everything gone
//   acceptance_driver preview FOLDER                /p inside an area, then the area goes
//   acceptance_driver version FOLDER                the version information of both programs
//   acceptance_driver close-host                    closes a running show's hidden window, as another
//                                                   program or the system would; the renderer must
//                                                   end with the host
//   acceptance_driver monitors                      the monitors Windows reports, one per line
//   acceptance_driver screen-saver-active           SPI_GETSCREENSAVEACTIVE: 1 or 0
//   acceptance_driver hear-setting SECONDS          waits for Windows to be told of a change of
//                                                   SPI_SETSCREENSAVEACTIVE (WM_SETTINGCHANGE)
//   acceptance_driver dialog FOLDER BMP [DPI]       /c: the client area's size, the child windows'
//                                                   places and texts, the client area as a picture;
//                                                   with DPI, the size it asks for there
//                                                   (WM_GETDPISCALEDSIZE), then the same again
//                                                   (BMP-after.bmp) after Windows has told it of that
//                                                   DPI (WM_DPICHANGED) with a rectangle of that size
//   acceptance_driver message FOLDER ARGS           Lunaquill.scr ARGS: the text of the message box it
//                                                   shows (in the system's code page), then OK
//   acceptance_driver hold-preview FOLDER SECONDS   a preview of FOLDER's Lunaquill.scr for SECONDS,
//                                                   its file kept from writing as Windows keeps the
//                                                   file of a program that runs (Wine does not)
// FOLDER, MUSIC_FILE and BMP may hold any character (the arguments are read as wide text). Prints what it did and exits non-zero at the first thing that is not as
// it should be.
#include "win32_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace lqtest;

namespace {

int Fail(const char* what)
{
    std::printf("FAIL: %s\n", what);
    return 1;
}

int Configure(const std::string& folder, const std::string& music)
{
    Process host;
    const Dialog dialog = OpenDialog(host, folder);
    if (!dialog.window)
        return Fail("no settings dialog");
    POINT row = ControlPoint(dialog, "lbl_BGM", 2);  // "MP3、WAV"
    ClickAt(row.x, row.y);
    if (!ChooseFile(dialog, Wide(music), "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD"))  // ﾌｧｲﾙを開く
        return Fail("no file picker, or it stayed open");
    POINT set = ControlPoint(dialog, "Cmd_Set");
    ClickAt(set.x, set.y);
    if (!host.WaitForExit(5000))
        return Fail("Set did not close the dialog");
    std::printf("configured: %s\n", music.c_str());
    return 0;
}

int Show(const std::string& folder)
{
    Process host;
    const DWORD start = GetTickCount();
    if (!host.Start(folder + "\\Lunaquill.scr", "/s"))
        return Fail("Lunaquill.scr /s did not start");
    HWND window = WaitForWindow("LunaquillVC", 20000);
    if (!window)
        return Fail("the show did not appear");
    std::printf("show window after %lu ms\n", GetTickCount() - start);
    HANDLE renderer = OpenProcessOf(window);
    Sleep(4000);
    PressKey(window, VK_ESCAPE);
    if (WaitForSingleObject(renderer, 2000) != WAIT_OBJECT_0)
        return Fail("the show did not end on Escape");
    CloseHandle(renderer);
    if (!host.WaitForExit(1500))
        return Fail("the host outlived the show");
    if (FindWindowA(nullptr, "LunaquillVC") || FindWindowA(nullptr, "Lunaquill_Main"))
        return Fail("a window of the show is left");
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof(cursor);
    GetCursorInfo(&cursor);
    if (!(cursor.flags & CURSOR_SHOWING))
        return Fail("the mouse cursor is hidden after the show");
    std::printf("show ended, cursor shown, host exit code %lu\n", host.ExitCode());
    return 0;
}

int Preview(const std::string& folder)
{
    HWND area = PlainWindow("AcceptancePreviewArea", RECT{200, 200, 352, 312});
    Process host;
    if (!host.Start(folder + "\\Lunaquill.scr", "/p " + std::to_string(reinterpret_cast<INT_PTR>(area))))
        return Fail("Lunaquill.scr /p did not start");
    if (!WaitUntil([area] { return GetWindow(area, GW_CHILD) != nullptr; }, 10000))
        return Fail("no preview inside the area");
    DestroyWindow(area);
    const DWORD gone = GetTickCount();
    if (!host.WaitForExit(3000))
        return Fail("the preview outlived its area");
    std::printf("preview shown, ended %lu ms after its area\n", GetTickCount() - gone);
    return 0;
}

int Version(const std::string& folder)
{
    for (const char* name : {"Lunaquill.scr", "Lunaquill.dll"}) {
        const std::wstring path = Wide(folder + "\\" + name);
        DWORD ignored = 0;
        std::vector<char> data(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        if (data.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
            return Fail("no version information");
        const auto text = [&data](const wchar_t* key) {
            wchar_t* value = nullptr;
            UINT length = 0;
            const std::wstring query = std::wstring(L"\\StringFileInfo\\041103A4\\") + key;
            VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length);
            return value ? Utf8(value) : std::string();
        };
        const std::string product = text(L"ProductName"), version = text(L"FileVersion");
        if (product != "Lunaquill" || version != LQ_VERSION)
            return Fail("wrong version information");
        std::printf("%s: %s %s, %s\n", name, product.c_str(), version.c_str(), text(L"FileDescription").c_str());
    }
    return 0;
}

int CloseHost()
{
    HWND runForm = FindWindowA(nullptr, "Lunaquill_Main");
    if (!runForm)
        return Fail("no show is running");
    PostMessageA(runForm, WM_CLOSE, 0, 0);
    if (!WaitForNoWindow("Lunaquill_Main", 3000))
        return Fail("the host did not end on WM_CLOSE");
    // Nothing the host started outlives it.
    if (!WaitForNoWindow("LunaquillVC", 3000))
        return Fail("the renderer outlived the host");
    std::printf("host closed, the renderer with it\n");
    return 0;
}

bool s_heard = false;

LRESULT CALLBACK Listener(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETSCREENSAVEACTIVE)
        s_heard = true;
    return DefWindowProcA(window, message, wParam, lParam);
}

int HearSetting(DWORD seconds)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Listener;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "AcceptanceListener";
    RegisterClassA(&wc);
    // A top-level window: the change is sent to every one of them.
    CreateWindowExA(0, "AcceptanceListener", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                    nullptr);
    std::printf("listening\n");
    std::fflush(stdout);
    if (!WaitUntil([] { return s_heard; }, seconds * 1000))
        return Fail("Windows was not told of the screen saver setting");
    std::printf("told: SPI_SETSCREENSAVEACTIVE\n");
    return 0;
}

int HoldPreview(const std::string& folder, DWORD seconds)
{
    HWND area = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 200, 200, 152, 112, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    Process host;
    if (!host.Start(folder + "\\Lunaquill.scr", "/p " + std::to_string(reinterpret_cast<INT_PTR>(area))))
        return Fail("Lunaquill.scr /p did not start");
    if (!WaitUntil([area] { return GetWindow(area, GW_CHILD) != nullptr; }, 10000))
        return Fail("no preview inside the area");
    HANDLE file = CreateFileW(Wide(folder + "\\Lunaquill.scr").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Fail("cannot hold the program's file");
    std::printf("preview open\n");
    std::fflush(stdout);
    WaitUntil([] { return false; }, seconds * 1000);  // the preview held open
    DestroyWindow(area);
    CloseHandle(file);
    if (!host.WaitForExit(3000))
        return Fail("the preview outlived its area");
    std::printf("preview closed\n");
    return 0;
}

std::string Escaped(const wchar_t* text)
{
    std::string escaped;  // non-ASCII as \uXXXX: the console's code page does not matter then
    for (const wchar_t* c = text; *c; ++c) {
        char u[8];
        std::snprintf(u, sizeof(u), "\\u%04X", static_cast<unsigned>(*c));
        escaped += *c < 128 ? std::string(1, static_cast<char>(*c)) : std::string(u);
    }
    return escaped;
}

int Message(const std::string& folder, const std::string& arguments)
{
    Process host;
    if (!host.Start(folder + "\\Lunaquill.scr", arguments))
        return Fail("Lunaquill.scr did not start");
    const std::vector<HWND> boxes = WaitForMessageBoxes(host.Id(), 10000);
    if (boxes.empty())
        return Fail("no message box");
    std::printf("%s\n", MessageTextOf(boxes[0]).c_str());
    PostMessageA(boxes[0], WM_COMMAND, IDOK, 0);
    return host.WaitForExit(5000) ? 0 : Fail("the program did not end after the message");
}

BOOL CALLBACK PrintChild(HWND child, LPARAM dialog)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(dialog), reinterpret_cast<POINT*>(&r), 2);
    wchar_t text[64] = {};
    GetWindowTextW(child, text, 64);
    std::printf("child %s %ld %ld %ld %ld \"%s\"\n", ClassNameOf(child).c_str(), r.left, r.top, r.right - r.left,
                r.bottom - r.top, Escaped(text).c_str());
    return TRUE;
}

void PrintGeometry(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    std::printf("client %ld %ld\n", client.right, client.bottom);
    EnumChildWindows(dialog, PrintChild, reinterpret_cast<LPARAM>(dialog));
    std::fflush(stdout);
}

int DialogGeometry(const std::string& folder, const std::string& picture, int newDpi)
{
    Process host;
    HWND dialog = OpenDialog(host, folder).window;
    if (!dialog)
        return Fail("no settings dialog");
    // Wider than the screen (225 % on 1024 pixels): its client area from the screen's left edge, so
    // that as much of it as fits is in the picture.
    RECT window, client = {};
    GetWindowRect(dialog, &window);
    ClientToScreen(dialog, reinterpret_cast<POINT*>(&client));
    if (window.right > GetSystemMetrics(SM_CXSCREEN)) {
        SetWindowPos(dialog, nullptr, window.left - client.left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        GetWindowRect(dialog, &window);
        WaitUntilStill(window, 3000);
    }
    PrintGeometry(dialog);
    if (!SaveClientPicture(dialog, picture))
        return Fail("cannot write the picture");
    if (newDpi > 0) {
        // As Windows moves a window onto a monitor of another scale: it asks for the size there
        // (the present one scaled, unless the window answers), then tells the new DPI with a
        // rectangle of that size where the window was dropped. Both are passed by address, so they
        // must be in the dialog's own memory.
        RECT suggested;
        GetWindowRect(dialog, &suggested);
        SIZE size = {(suggested.right - suggested.left) * newDpi / 96, (suggested.bottom - suggested.top) * newDpi / 96};
        DWORD pid = 0;
        GetWindowThreadProcessId(dialog, &pid);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, pid);
        void* there = process ? VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE) : nullptr;
        if (!there || !WriteProcessMemory(process, there, &size, sizeof(size), nullptr))
            return Fail("cannot hand the dialog a size");
        const bool answered = SendMessageA(dialog, WM_GETDPISCALEDSIZE, static_cast<WPARAM>(newDpi), reinterpret_cast<LPARAM>(there)) != 0;
        if (answered && !ReadProcessMemory(process, there, &size, sizeof(size), nullptr))
            return Fail("cannot read the size back");
        std::printf("scaled size %s %ld %ld\n", answered ? "answered" : "not-answered", size.cx, size.cy);
        suggested.right = suggested.left + size.cx;
        suggested.bottom = suggested.top + size.cy;
        if (!WriteProcessMemory(process, there, &suggested, sizeof(suggested), nullptr))
            return Fail("cannot hand the dialog a rectangle");
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(there));
        CloseHandle(process);
        RECT after;
        GetWindowRect(dialog, &after);
        WaitUntilStill(after, 3000);
        RECT window;
        GetWindowRect(dialog, &window);
        std::printf("window %ld %ld %ld %ld, dropped at %ld %ld\n", window.left, window.top, window.right - window.left,
                    window.bottom - window.top, suggested.left, suggested.top);
        std::printf("after WM_DPICHANGED %d\n", newDpi);
        PrintGeometry(dialog);
        if (!SaveClientPicture(dialog, picture.substr(0, picture.rfind('.')) + "-after.bmp"))
            return Fail("cannot write the picture");
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    if (!host.WaitForExit(5000))
        return Fail("the dialog did not close");
    return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR, HDC, LPRECT r, LPARAM)
{
    std::printf("%ld,%ld %ldx%ld\n", r->left, r->top, r->right - r->left, r->bottom - r->top);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "close-host") == 0)
        return CloseHost();
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0)
        return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : Fail("no monitors");
    if (argc == 2 && std::strcmp(argv[1], "screen-saver-active") == 0) {
        BOOL active = FALSE;
        SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
        std::printf("%d\n", active ? 1 : 0);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "hear-setting") == 0)
        return HearSetting(static_cast<DWORD>(std::atoi(argv[2])));
    const std::vector<std::string> args = Utf8Arguments();
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "dialog") == 0)
        return DialogGeometry(args[1], args[2], argc == 5 ? std::atoi(argv[4]) : 0);
    if (argc == 4 && std::strcmp(argv[1], "message") == 0)
        return Message(args[1], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "hold-preview") == 0)
        return HoldPreview(args[1], static_cast<DWORD>(std::atoi(argv[3])));
    if (argc < 3)
        return Fail("usage: acceptance_driver configure|show|preview|version FOLDER [MUSIC]");
    const std::string phase = argv[1], folder = args[1];
    if (phase == "configure" && argc == 4)
        return Configure(folder, args[2]);
    if (phase == "show")
        return Show(folder);
    if (phase == "preview")
        return Preview(folder);
    if (phase == "version")
        return Version(folder);
    return Fail("unknown phase");
}
