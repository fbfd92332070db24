// How the host tells the renderer which show to give: a few words on the renderer's command line.
// No words at all is the original show (1024x768x16 on the primary, Escape ends it), so a renderer
// started by hand or by an older host behaves as it always did; a word neither side knows is passed
// over, so an older renderer started by a newer host still shows something.
#pragma once

#include <string>

struct ShowOptions {
    bool nativeDisplay = false;  // every monitor at its own resolution, no display mode switch
    bool endOnInput = false;     // any key, button, touch or real mouse move ends the show
    // The host's process id, where the host could not take the renderer into its job (Windows 7,
    // the host inside a job of another program's): the show then ends when that process ends.
    unsigned long hostProcessId = 0;
};

constexpr char kNativeDisplayWord[] = "/native";
constexpr char kEndOnInputWord[] = "/end-on-input";
constexpr char kHostProcessWord[] = "/host:";  // followed by the decimal process id

// Words separated by blanks, in any order and case; a word may be quoted.
ShowOptions ParseShowOptions(const std::string& commandLine);

// The arguments for a renderer's command line: empty for the original show, else the words with a
// blank before each.
std::string ShowOptionsText(const ShowOptions& options);
