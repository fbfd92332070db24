// The background-music and display settings and the rules for their text in Lunaquill.ini: one table of keys,
// how values are read (Load_Settings) and written (by the settings dialog), and the path helpers.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

constexpr char kSettingsFileName[] = "Lunaquill.ini";
constexpr char kSettingsSection[] = "Section";

// The settings variables of the main module.
struct Settings {
    std::int16_t BGM_Kind = 0;   // 0 none, 1 music CD, 2 MP3/WAV file
    std::int16_t BGM_Track = 0;  // CD track to repeat, 0 for none
    std::string BGM_File;        // the music file, may be empty
    std::string BGM_Folder;      // where the file picker starts
    std::int16_t Display = 0;     // 1: every monitor at its own resolution; else the 1024x768x16 show
    std::int16_t EndOnInput = 0;  // 1: any key, button, touch or mouse move ends the show; else Escape
};

enum class SettingKind { Number, Path };

// One key of Lunaquill.ini and the variable it holds: a number (number text) or a path (as it is).
struct SettingKey {
    const char* key;  // code page 932 bytes
    SettingKind kind;
    std::int16_t Settings::*number;  // for SettingKind::Number
    std::string Settings::*path;     // for SettingKind::Path
};

// The keys, in the order they are read and written: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ", then
// "Display" and "EndOnInput" (a file without them reads as the original show; an older version reading
// a newer file passes them over). The loader and the writer (the dialog's Set) both go through this
// table.
constexpr int kSettingKeyCount = 5;
extern const SettingKey kSettingKeys[kSettingKeyCount];

// The platform's numeric test: optional blanks, sign, digits with a decimal point and exponent, or
// &H hexadecimal / &O octal. Gives the value when the whole text is a number.
bool ReadNumber(const std::string& text, double* value);

// A stored number: empty reads as 0; a number is rounded down to a whole number (toward minus
// infinity) and must fit in 16 bits. Otherwise false, and the caller keeps its value.
bool LoadNumber(const std::string& text, std::int16_t* value);

// How numbers are written: a blank before zero and positive numbers, a minus sign otherwise.
std::string NumberText(std::int16_t value);

// The folder part of a path: up to the last ":" or "\", without a trailing "\".
std::string Folder_Of(const std::string& path);

// The music file's type: its last three characters in upper case ("MP3", "WAV", ...).
std::string FileType(const std::string& path);

// Where Load_Settings gets its text and how it checks that a file can be read.
struct SettingsSource {
    std::function<std::string(const char* key)> read;
    std::function<bool(const std::string& path)> fileExists;
    std::string programFolder;  // in the system's code page; empty when it cannot spell the folder
};

// Fills the settings from the file. A kind 2 without a readable file falls back to 0.
void LoadSettings(const SettingsSource& source, Settings& settings);

// Every key with the text it is written as, in order.
std::vector<std::pair<const char*, std::string>> SettingsText(const Settings& settings);

// Where Lunaquill.ini lives: beside the programs, or, once that folder has refused a write (Program
// Files, System32 for a standard user), in a per-user copy that is read and written from then on, much
// as the system's own file virtualization does for older programs.
// Paths are wide: the folders may hold characters the system's code page cannot spell.
struct SettingsFiles {
    std::wstring beside;   // program folder + "\Lunaquill.ini"
    std::wstring perUser;  // e.g. %APPDATA%\Lunaquill\Lunaquill.ini; empty when there is no such place
};

// The file the settings are read from: the per-user copy once it exists.
std::wstring FileToRead(const SettingsFiles& files, bool perUserCopyExists);

// Writes every value, in order, to the first place that takes them all: the file that is read, or,
// when the folder beside the programs refuses, the per-user copy. Returns the file written, or an
// empty string when no place took the values (the caller must tell the user).
using SettingWriter = std::function<bool(const std::wstring& file, const char* key, const std::string& value)>;
std::wstring WriteSettings(const SettingsFiles& files, bool perUserCopyExists,
                          const std::vector<std::pair<const char*, std::string>>& values, const SettingWriter& write);

// A name that opens a device rather than a file: the device namespaces ("\\.\", "\\?\") and the
// reserved names (CON, NUL, COM1, ...) with any extension, in any folder. Never a music file.
bool IsDeviceName(const std::string& path);
