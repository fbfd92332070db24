// The scene's four entry points, called by the renderer's loop on its one thread.
#pragma once

class GLWindow;

void InitScene(GLWindow* window);  // once, with the GL context current
bool KeepRunning();                // false once Escape is down
bool DrawFrame();                  // advances the scene clock and draws; always true
void TermScene();                  // once, after the loop, with the context still current

extern float g_sceneTime;
