#include "scene.h"

#include "scene_clock.h"
#include "wave_scene.h"
#include "textures/texture_set.h"
#include "common/config.h"
#include "common/frame_clock.h"
#include "common/key_table.h"

#include "gl_api.h"

float g_sceneTime = 0.0f;
GLUquadricObj* g_quadric = nullptr;

namespace {
SceneClock s_sceneClock;
}

void InitScene()
{
    BuildTextures();
    glEnable(GL_TEXTURE_2D);
    g_quadric = gluNewQuadric();
    if (g_quadric)
        gluQuadricTexture(g_quadric, GL_TRUE);
}

bool KeepRunning()
{
    // Escape down now, or pressed and already released since the last pass.
    const bool pressed = TakeKeyPress(g_keyPresses, kEscapeKey);
    return !(IsKeyDown(g_keys, kEscapeKey) || pressed);
}

bool DrawFrame()
{
    AdvanceFrame();
    DrawMoment();
    return true;
}

bool AdvanceFrame()
{
    if (!s_sceneClock.Started())
        s_sceneClock.Start(GetTimeSeconds());
    g_sceneTime = s_sceneClock.Advance(GetTimeSeconds());
    return true;
}

void DrawMoment()
{
    DrawWaveScene(g_sceneTime);
}

void TermScene()
{
    if (g_quadric)
        gluDeleteQuadric(g_quadric);
    g_quadric = nullptr;
    FreeTextures();
}
