// The host's main module (Lunaquill_B): the settings variables, the program folder, the settings
// file, and the zoom effects of the settings dialog. Windows only.
#pragma once

#include "settings.h"
#include "texts.h"

#include "shared/renderer_names.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr char kProgramTitle[] = "Lunaquill";
constexpr char kRunFormCaption[] = "Lunaquill_Main";
constexpr char kDialogCaption[] = "<Lunaquill>";

extern Settings g_settings;     // BGM_Kind, BGM_Track, BGM_File, BGM_Folder
extern std::string g_mode;      // the mode letter of this run
extern std::int16_t Cursor_X;   // where the mouse was when the dialog opened
extern std::int16_t Cursor_Y;

// Walks every text by the system's ANSI code page from here on; the first thing the program does.
void UseSystemCodePage();

// What the user reads, in their interface language (Japanese, or English for any other).
const UiTexts& UserTexts();

// Text of the system's code page as wide text, and back. AnsiExactly is false when a character has
// no exact spelling in the code page (it would come back as "?" or as a look-alike).
std::wstring WideFromAnsi(const std::string& text);
bool AnsiExactly(const std::wstring& text, std::string* ansi);

// The program's folder, whole however long, in any characters.
std::wstring ProgramFolder();
// Lunaquill.ini beside the programs and the per-user copy (see SettingsFiles).
SettingsFiles SettingsFilePaths();
// The file the settings are read from.
std::wstring SettingsFilePath();

// Keys and values are the file's bytes in the system's code page; only the file's path is wide.
std::string Ini_Read(const std::string& section, const std::string& key, const std::wstring& file);
// True when the platform took the value (false, for example, in a folder the user cannot write).
bool Ini_Write(const std::string& section, const std::string& key, const std::string& value, const std::wstring& file);
// A file that can be opened for reading: a path of the system's code page (the music file), or a
// wide one (the program's own files).
bool File_Exists(const std::string& path);
bool File_Exists(const std::wstring& path);
void Load_Settings();
// Writes the values where they will be read again; false when no place would take them.
bool Save_Settings(const std::vector<std::pair<const char*, std::string>>& values);

void Zoom_Open(HWND hWnd);
void Zoom_Close(HWND hWnd);

// Ends the process at once: no form's unload handler runs.
[[noreturn]] void EndProgram();
