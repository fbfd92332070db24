#include "win32_driver.h"

#include "config/dialog_classes.h"
#include "forms/layout.h"

#include <shellapi.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace lqtest {

std::wstring Wide(const std::string& utf8)
{
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    if (!wide.empty())
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
    if (!utf8.empty())
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

std::vector<std::string> Utf8Arguments()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> utf8;
    for (int i = 1; arguments && i < count; ++i)
        utf8.push_back(Utf8(arguments[i]));
    LocalFree(arguments);
    return utf8;
}

std::string ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string folder = Utf8(path);
    const std::string::size_type slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}


std::string FolderWithPrograms(const std::string& name, const std::vector<std::string>& programs)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::string folder = Utf8(temp) + name + " " + std::to_string(GetCurrentProcessId());
    RemoveFolder(folder);  // whatever a test killed by its time-out left
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    for (const std::string& program : programs)
        if (!CopyFileW(Wide(ProgramFolder() + "\\" + program).c_str(), Wide(folder + "\\" + program).c_str(), FALSE))
            return std::string();
    return folder;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileW((Wide(folder + "\\") + found.cFileName).c_str());
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(Wide(folder).c_str());
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(std::filesystem::path(Wide(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(Wide(path)), std::ios::binary) << bytes;
}

HWND PlainWindow(const char* className, const RECT& place, COLORREF background, WNDPROC procedure, DWORD style)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(background);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, className, WS_POPUP | WS_VISIBLE | style, place.left, place.top, place.right - place.left,
                           place.bottom - place.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

Process::~Process()
{
    Kill();
}

bool Process::Start(const std::string& path, const std::string& args)
{
    Kill();
    std::wstring commandLine = L"\"" + Wide(path) + L"\"";
    if (!args.empty())
        commandLine += L" " + Wide(args);
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessW(Wide(path).c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &m_info) != 0;
}

bool Process::WaitForExit(DWORD timeoutMs)
{
    // This program's own windows keep answering meanwhile: a program that ends may send them a
    // message (a display change, a broadcast) and wait for the answer.
    return m_info.hProcess && WaitUntil([this] { return !Running(); }, timeoutMs);
}

bool Process::Running() const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_info.hProcess)
        GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

void Process::Kill()
{
    if (!m_info.hProcess)
        return;
    if (Running()) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION();
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return true;
}

void Pump(DWORD ms)
{
    WaitUntil([] { return false; }, ms);
}

HWND WaitForWindow(const char* title, DWORD timeoutMs)
{
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowA(nullptr, title)) != nullptr; }, timeoutMs);
    return window;
}

bool WaitForNoWindow(const char* title, DWORD timeoutMs)
{
    return WaitUntil([title] { return FindWindowA(nullptr, title) == nullptr; }, timeoutMs);
}

std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

HWND FirstChildOfClass(HWND parent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search = {className, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            Search* s = reinterpret_cast<Search*>(data);
            if (ClassNameOf(child) != s->className)
                return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}


DWORD OwnerOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HANDLE OpenProcessOf(HWND window)
{
    return OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, OwnerOf(window));
}

std::string PlaceOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

std::string TextOf(HWND window)
{
    char text[512] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::vector<unsigned> Screenshot(int width, int height)
{
    return Screenshot(RECT{0, 0, width, height});
}

unsigned ScreenPixel(int x, int y)
{
    return Screenshot(RECT{x, y, x + 1, y + 1})[0];
}

bool SaveClientPicture(HWND window, const std::string& path)
{
    RECT area;
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    const int w = area.right - area.left, h = area.bottom - area.top;
    const std::vector<unsigned> pixels = Screenshot(area);
    // Top row first (a negative height); what lies beyond the screen is black.
    BITMAPINFOHEADER header = {sizeof(header), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(file) + sizeof(header)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
    WriteBytes(path, bytes);
    return ReadBytes(path).size() == bytes.size();
}

bool WaitUntilStill(const RECT& area, DWORD timeoutMs)
{
    std::vector<unsigned> before;
    return WaitUntil(
        [&area, &before] {
            std::vector<unsigned> now = Screenshot(area);
            const bool still = now == before;
            before.swap(now);
            return still;
        },
        timeoutMs);
}

std::vector<unsigned> Screenshot(const RECT& area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // Only what is on the screen is copied: Wine copies nothing for an area that reaches beyond it.
    RECT on = area;
    const RECT screenRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&on, &on, &screenRect);
    BitBlt(memory, on.left - area.left, on.top - area.top, on.right - on.left, on.bottom - on.top, screen, on.left, on.top,
           SRCCOPY);
    GdiFlush();
    std::vector<unsigned> pixels(static_cast<const unsigned*>(bits), static_cast<const unsigned*>(bits) + width * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (unsigned& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

namespace {

struct Boxes {
    DWORD process;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM data)
{
    Boxes* found = reinterpret_cast<Boxes*>(data);
    // A box is shown only once its text and buttons are in place; before that it is still being built.
    if (OwnerOf(window) == found->process && ClassNameOf(window) == "#32770" && IsWindowVisible(window))
        found->windows.push_back(window);
    return TRUE;
}

BOOL CALLBACK FindStatic(HWND child, LPARAM data)
{
    if (ClassNameOf(child) == "Static" && !TextOf(child).empty()) {
        *reinterpret_cast<std::string*>(data) = TextOf(child);
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::vector<HWND> MessageBoxesOf(DWORD process)
{
    Boxes found = {process, {}};
    EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

std::vector<HWND> WaitForMessageBoxes(DWORD process, DWORD timeoutMs)
{
    std::vector<HWND> boxes;
    WaitUntil([&] { return !(boxes = MessageBoxesOf(process)).empty(); }, timeoutMs);
    return boxes;
}

std::string MessageTextOf(HWND box)
{
    std::string text;
    EnumChildWindows(box, FindStatic, reinterpret_cast<LPARAM>(&text));
    return text;
}

namespace {

// Keys are held as long as a person would: a press and release that reach a program within one
// pass of its message loop may cancel out before it looks at them.
const DWORD kHoldMs = 100;

INPUT Key(WORD virtualKey, bool up)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

void BringToFront(HWND window)
{
    SetForegroundWindow(window);
    Sleep(50);
}

} // namespace

void PressKey(HWND window, WORD virtualKey)
{
    BringToFront(window);
    INPUT down = Key(virtualKey, false), up = Key(virtualKey, true);
    SendInput(1, &down, sizeof(INPUT));
    Sleep(kHoldMs);
    SendInput(1, &up, sizeof(INPUT));
}

void PressKeyChord(HWND window, WORD modifier, WORD virtualKey)
{
    BringToFront(window);
    INPUT downs[] = {Key(modifier, false), Key(virtualKey, false)};
    INPUT ups[] = {Key(virtualKey, true), Key(modifier, true)};
    SendInput(2, downs, sizeof(INPUT));
    Sleep(kHoldMs);
    SendInput(2, ups, sizeof(INPUT));
}

void ClickAt(int x, int y, bool right)
{
    // Arrive the way a hand does: a move onto the spot first, then the press and the release.
    SetCursorPos(x - 2, y);
    Sleep(20);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = 2;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof(INPUT));
    Sleep(60);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(1, &clicks[0], sizeof(INPUT));
    Sleep(60);
    SendInput(1, &clicks[1], sizeof(INPUT));
}

namespace {

// The settings dialog's layout data as the program carries it (an RCDATA resource), read once.
const LayoutControl* DialogLayout(const std::string& program)
{
    static std::map<std::string, LayoutResult> s_read;
    auto found = s_read.find(program);
    if (found == s_read.end()) {
        std::string text;
        if (HMODULE module = LoadLibraryExW(Wide(program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (HRSRC resource = FindResourceA(module, "LUNAQUILL_P", MAKEINTRESOURCEA(10)))  // RT_RCDATA
                text.assign(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                            SizeofResource(module, resource));
            FreeLibrary(module);
        }
        int count = 0;
        const ClassSchema* classes = HostClasses(&count);
        found = s_read.emplace(program, ParseLayout(text, classes, count)).first;
    }
    return found->second.ok && !found->second.controls.empty() ? &found->second.controls[0] : nullptr;
}

long Twips(const LayoutControl& c, const char* key)
{
    const LayoutValue* v = c.Find(key);
    return v ? static_cast<long>(v->integer) : 0;
}

} // namespace

namespace {

bool HasPendingPaint(HWND window)
{
    struct Walk {
        static BOOL CALLBACK Each(HWND child, LPARAM pending)
        {
            if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
                *reinterpret_cast<bool*>(pending) = true;
            return TRUE;
        }
    };
    bool pending = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(window, Walk::Each, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

} // namespace

Dialog OpenDialog(Process& host, const std::string& folder, const std::string& args, DWORD timeoutMs)
{
    Dialog dialog;
    if (!host.Start(folder + "\\Lunaquill.scr", args))
        return dialog;
    HWND window = nullptr;
    if (!WaitUntil([&window] { return (window = FindWindowA(nullptr, "<Lunaquill>")) != nullptr && IsWindowVisible(window); },
                   timeoutMs))
        return dialog;
    SetForegroundWindow(window);
    RECT area;
    GetWindowRect(window, &area);
    // Painted (no part of it or its controls waiting for a paint), then still: two screenshots alike
    // alone can be taken before the first paint has begun.
    WaitUntil([window] { return !HasPendingPaint(window); }, 5000);
    WaitUntilStill(area, 5000);
    dialog.window = window;
    dialog.panel = FirstChildOfClass(window, "Lunaquill.PictureBox");
    dialog.program = folder + "\\Lunaquill.scr";
    return dialog;
}

namespace {

// The screen point (twipsX, twipsY) from the control's top left corner, or its middle.
POINT PointOf(const Dialog& dialog, const std::string& name, int index, bool middle, int twipsX, int twipsY)
{
    POINT p = {-1, -1};
    const LayoutControl* form = DialogLayout(dialog.program);
    if (!form)
        return p;
    // The control among the form's own, or inside one of its picture boxes (the panel).
    const LayoutControl* control = form->Child(name, index);
    HWND origin = dialog.window;
    for (const LayoutControl& container : form->children)
        if (!control && container.Child(name, index)) {
            control = container.Child(name, index);
            origin = dialog.panel;
        }
    if (!control || !origin)
        return p;
    if (middle) {
        twipsX = Twips(*control, "Width") / 2;
        twipsY = Twips(*control, "Height") / 2;
    }
    RECT client;
    GetClientRect(dialog.window, &client);
    const double scale = static_cast<double>(client.right) / static_cast<double>(Twips(*form, "ClientWidth"));
    p = {static_cast<LONG>(std::lround((Twips(*control, "Left") + twipsX) * scale)),
         static_cast<LONG>(std::lround((Twips(*control, "Top") + twipsY) * scale))};
    ClientToScreen(origin, &p);
    return p;
}

} // namespace

POINT ControlPoint(const Dialog& dialog, const std::string& name, int index, int twipsX, int twipsY)
{
    return PointOf(dialog, name, index, false, twipsX, twipsY);
}

POINT ControlPoint(const Dialog& dialog, const std::string& name, int index)
{
    return PointOf(dialog, name, index, true, 0, 0);
}

bool ChooseFile(const Dialog& dialog, const std::wstring& path, const char* pickerTitle)
{
    const POINT button = ControlPoint(dialog, "Cmd_File", 0);
    ClickAt(button.x, button.y);
    HWND picker = nullptr;
    if (!WaitUntil([&] { return (picker = FindWindowA(nullptr, pickerTitle)) != nullptr && IsWindowVisible(picker); }, 15000))
        return false;
    SetForegroundWindow(picker);
    WaitUntil([picker] { return GetForegroundWindow() == picker; }, 2000);
    TypeText(path);
    TapKey(VK_RETURN);
    return WaitForNoWindow(pickerTitle, 5000);
}

} // namespace lqtest

namespace lqtest {

void TypeText(const std::string& text)
{
    const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    if (count)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], count);
    TypeText(wide);
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT k[2] = {};
        k[0].type = k[1].type = INPUT_KEYBOARD;
        k[0].ki.wScan = k[1].ki.wScan = static_cast<WORD>(c);
        k[0].ki.dwFlags = KEYEVENTF_UNICODE;
        k[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, k, sizeof(INPUT));
        Sleep(5);
    }
}

void TapKey(WORD virtualKey)
{
    INPUT down = Key(virtualKey, false), up = Key(virtualKey, true);
    SendInput(1, &down, sizeof(INPUT));
    Sleep(kHoldMs);
    SendInput(1, &up, sizeof(INPUT));
    Sleep(150);
}

} // namespace lqtest
