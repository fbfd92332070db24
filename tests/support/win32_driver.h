// Drives real programs from a Win32 test: start them, find their windows, send input, wait for the
// end. Everything a test starts is ended when its Process goes out of scope, so a failing test leaves
// nothing running.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace lqtest {

// Paths in the tests are UTF-8, so a folder may hold characters the system's code page cannot spell;
// they become wide text where they meet Windows.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// This program's command-line arguments (after its own name), in UTF-8.
std::vector<std::string> Utf8Arguments();

// The folder that holds the running test program (the products are built beside it).
std::string ProgramFolder();
// A folder of its own in the temporary folder ("<name> <process id>"), holding copies of the programs
// built beside the test and nothing else; empty if they could not be copied. RemoveFolder takes it
// away with everything in it.
std::string FolderWithPrograms(const std::string& name, const std::vector<std::string>& programs = {"Lunaquill.scr", "Lunaquill.dll"});
void RemoveFolder(const std::string& folder);
// A file's bytes, and a file written with these bytes (UTF-8 paths).
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// A visible pop-up window of a class of this program's own, to host a control or to stand for
// another program's window (a preview area, the screen saver settings).
HWND PlainWindow(const char* className, const RECT& place, COLORREF background = RGB(0, 0, 255),
                 WNDPROC procedure = DefWindowProcA, DWORD style = 0);

class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts "path" args (UTF-8); the path is quoted, so folders with blanks work. False if it did not
    // start.
    bool Start(const std::string& path, const std::string& args = "");
    // Waits up to timeoutMs, answering this program's own messages; true once the process has ended.
    bool WaitForExit(DWORD timeoutMs);
    bool Running() const;
    DWORD ExitCode() const;
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }
    void Kill();

private:
    PROCESS_INFORMATION m_info = {};
};

// Answers this program's own window messages while it checks `done` every 10 ms; false if it still
// does not hold after timeoutMs.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Answers this program's own window messages for ms: for what happens over time (timers, polls).
void Pump(DWORD ms);

// Polls for a top-level window with this exact title (visible or not); null after timeoutMs.
HWND WaitForWindow(const char* title, DWORD timeoutMs);
// Polls until no top-level window has this title; false if one is still there after timeoutMs.
bool WaitForNoWindow(const char* title, DWORD timeoutMs);

std::string ClassNameOf(HWND window);
// The process a window belongs to: its id, and a handle to it that can wait for it, end it and ask
// for its exit code (to be closed by the caller).
DWORD OwnerOf(HWND window);
HANDLE OpenProcessOf(HWND window);
// A window's place on the screen as "left,top right,bottom", to compare in one line.
std::string PlaceOf(HWND window);
std::string TextOf(HWND window);
// The first child (at any depth) of this window class, or null.
HWND FirstChildOfClass(HWND parent, const char* className);
// The screen's pixels in an area as 0xRRGGBB, top row first, read back through GDI like any
// screenshot (what lies beyond the screen is black); from the top left corner; one pixel.
std::vector<unsigned> Screenshot(const RECT& area);
std::vector<unsigned> Screenshot(int width, int height);
unsigned ScreenPixel(int x, int y);
// A window's client area as it is on the screen, as a 32-bit BMP file; false if it was not written.
bool SaveClientPicture(HWND window, const std::string& path);
// Waits until the area looks the same in two screenshots in a row (an animation or a paint done).
bool WaitUntilStill(const RECT& area, DWORD timeoutMs);

// The settings dialog of a running Lunaquill.scr /c.
struct Dialog {
    HWND window = nullptr;  // the form, "<Lunaquill>"
    HWND panel = nullptr;   // Pic_C, the panel of the music sources
    std::string program;    // the Lunaquill.scr whose layout data places the controls
};
// Starts FOLDER's Lunaquill.scr with args and waits until its dialog is shown and still on the
// screen (the zoom and the first paint done); a Dialog without a window if it did not come.
Dialog OpenDialog(Process& host, const std::string& folder, const std::string& args = "/c", DWORD timeoutMs = 20000);
// A control of the dialog by its name and index in the program's layout data: the screen point
// (twipsX, twipsY) from its top left corner, or its middle; scaled to the dialog's real size.
POINT ControlPoint(const Dialog& dialog, const std::string& name, int index = -1);
POINT ControlPoint(const Dialog& dialog, const std::string& name, int index, int twipsX, int twipsY);
// The file picker through the "..." button: the path typed, then Enter; false if no picker came
// (by its title, in the dialog's language) or it stayed open.
bool ChooseFile(const Dialog& dialog, const std::wstring& path, const char* pickerTitle);

// The message boxes a process shows, and the text inside one (ANSI, in the system's code page).
std::vector<HWND> MessageBoxesOf(DWORD process);
// Polls until the process shows a message box; empty after timeoutMs.
std::vector<HWND> WaitForMessageBoxes(DWORD process, DWORD timeoutMs);
std::string MessageTextOf(HWND box);

// Real keyboard and mouse input through SendInput (the window is brought to the front first).
void PressKey(HWND window, WORD virtualKey);
void PressKeyChord(HWND window, WORD modifier, WORD virtualKey);
void ClickAt(int x, int y, bool right = false);
// Types text (ANSI, so Japanese in code page 932 too; or wide, any character) into whatever has the
// keyboard focus.
void TypeText(const std::string& text);
void TypeText(const std::wstring& text);
// Presses and releases one key on whatever has the focus.
void TapKey(WORD virtualKey);

} // namespace lqtest
