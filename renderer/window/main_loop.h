#pragma once

class GLWindow;

// Runs one frame per pass (drain messages, KeepRunning, DrawFrame, swap) until WM_QUIT arrives or the
// scene asks to stop; the pass that decides the end still draws and presents its frame. A positive
// maxPasses stops after that many passes (benchmarks). Returns the number of passes run.
long RunMainLoop(GLWindow& window, long maxPasses = 0);
