// The host's main module (Lunaquill_B): the settings variables, the program folder, the settings
// file, and the zoom effects of the settings dialog. Windows only.
#pragma once

#include "settings.h"
#include "texts.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr char kProgramTitle[] = "Lunaquill";
constexpr char kRendererFileName[] = "Lunaquill.dll";
constexpr char kRunFormCaption[] = "Lunaquill_Main";
constexpr char kDialogCaption[] = "<Lunaquill>";
constexpr char kRendererTitle[] = "LunaquillVC";

extern Settings g_settings;     // BGM_Kind, BGM_Track, BGM_File, BGM_Folder
extern std::string g_mode;      // the mode letter of this run
extern std::int16_t Cursor_X;   // where the mouse was when the dialog opened
extern std::int16_t Cursor_Y;

// Walks every text by the system's ANSI code page from here on; the first thing the program does.
void UseSystemCodePage();

// What the user reads, in their interface language (Japanese, or English for any other).
const UiTexts& UserTexts();

std::string ProgramFolder();
// Lunaquill.ini beside the programs and the per-user copy (see SettingsFiles).
SettingsFiles SettingsFilePaths();
// The file the settings are read from.
std::string SettingsFilePath();

std::string Ini_Read(const std::string& section, const std::string& key, const std::string& file);
// True when the platform took the value (false, for example, in a folder the user cannot write).
bool Ini_Write(const std::string& section, const std::string& key, const std::string& value, const std::string& file);
bool File_Exists(const std::string& path);
void Load_Settings();
// Writes the values where they will be read again; false when no place would take them.
bool Save_Settings(const std::vector<std::pair<const char*, std::string>>& values);

void Zoom_Open(HWND hWnd);
void Zoom_Close(HWND hWnd);

// Ends the process at once: no form's unload handler runs.
[[noreturn]] void EndProgram();
