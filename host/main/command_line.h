// The screen-saver command line: /s show, /p <hwnd> preview, /c or /c:<hwnd> settings, none = show
// with the cursor left visible. Only the second character decides the mode.
#pragma once

#include <string>

// The arguments part of a full command line (as GetCommandLineA gives it): the program's own path,
// quoted or not, and the blanks after it are skipped.
std::string ArgumentsOf(const std::string& commandLine);

// The second character of the upper-cased arguments ("S", "P", "C", ...), empty when there are fewer
// than two characters. The first character is never looked at: "/s", "-s" and "xs" all give "S".
std::string ModeLetter(const std::string& arguments);
