// Where the pointer rests as a show starts (or after a display change), for the end on input: the
// move Windows sends as a window appears under it is then no move of the user's, and the user's first
// real move already counts.
#pragma once

#include "input_watch.h"

// Placed where the pointer is now, with the slack of the monitor it rests on (a 200 % monitor beside
// a 100 % primary gets twice the pixels). Where the position cannot be read, the first move places it.
InputWatch PointerAtRest();
