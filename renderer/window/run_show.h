// The renderer's run from its command line to its exit code, apart from the program's entry so that
// a test can run it with a failing platform call.
#pragma once

// Runs the show the command line asks for (see shared/show_options.h) until the user or a WM_CLOSE
// ends it: exit code 0. A show that could not start says why in an error box and ends with 1, which
// tells a host that guards a lock that the user did not end it.
int RunShow(const char* commandLine);
