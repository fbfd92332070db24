// Frames paced to the display where the driver lets a program ask for it (WGL_EXT_swap_control).
// The scene follows real time, so the interval changes how often a frame is drawn, never what it
// shows. Both need a current rendering context.
#pragma once

// False where the driver offers no swap control (the loop then runs as fast as swaps return).
bool SetSwapInterval(int interval);
// The interval in effect, or -1 where the driver cannot say.
int SwapInterval();
