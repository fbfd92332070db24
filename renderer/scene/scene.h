// The scene's four entry points, called by a shell's loop on its one thread. The scene knows no
// window: each shell makes its own and its GL context current before InitScene.
#pragma once

void InitScene();                  // once, with the GL context current
bool KeepRunning();                // false once Escape is down
bool DrawFrame();                  // advances the scene clock and draws; always true
// DrawFrame's two halves, for a shell that shows one moment in several viewports: the clock
// advanced once a frame, then the moment drawn into each viewport.
bool AdvanceFrame();               // always true
void DrawMoment();
void TermScene();                  // once, after the loop, with the context still current

extern float g_sceneTime;
