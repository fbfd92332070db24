// The host's main module (Lunaquill_B): the settings variables, the program folder, the settings
// file, and the zoom effects of the settings dialog. Windows only.
#pragma once

#include "settings.h"

#include <windows.h>

#include <cstdint>
#include <string>

constexpr char kProgramTitle[] = "Lunaquill";
constexpr char kRendererFileName[] = "Lunaquill.dll";
constexpr char kRunFormCaption[] = "Lunaquill_Main";
constexpr char kDialogCaption[] = "<Lunaquill>";
constexpr char kRendererTitle[] = "LunaquillVC";

extern Settings g_settings;     // BGM_Kind, BGM_Track, BGM_File, BGM_Folder
extern std::string g_mode;      // the mode letter of this run
extern std::int16_t Cursor_X;   // where the mouse was when the dialog opened
extern std::int16_t Cursor_Y;

std::string ProgramFolder();
std::string SettingsFilePath();

std::string Ini_Read(const std::string& section, const std::string& key, const std::string& file);
std::string Ini_Write(const std::string& section, const std::string& key, const std::string& value,
                      const std::string& file);
bool File_Exists(const std::string& path);
void Load_Settings();

void Zoom_Open(HWND hWnd);
void Zoom_Close(HWND hWnd);

// Ends the process at once: no form's unload handler runs.
[[noreturn]] void EndProgram();
