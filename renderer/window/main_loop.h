#pragma once

class GLWindow;

// Draws one frame as the window shows it, not yet swapped: DrawFrame into the whole window, or one
// moment of the show into every monitor's view. False when the scene asks to stop.
bool DrawShownFrame(const GLWindow& window);

// Runs one frame per pass (drain messages, KeepRunning, DrawShownFrame, swap) until WM_QUIT arrives or the
// scene asks to stop; the pass that decides the end still draws and presents its frame. A positive
// maxPasses stops after that many passes (benchmarks). Returns the number of passes run.
long RunMainLoop(GLWindow& window, long maxPasses = 0);
