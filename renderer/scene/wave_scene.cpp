#include "wave_scene.h"

#include "textures/texture.h"
#include "textures/texture_set.h"
#include "wave_geometry.h"

#include "gl_api.h"

extern GLUquadricObj* g_quadric;

void DrawRibbon(const Vector3* points, int count, float halfWidth, const Vector3& eye)
{
    RibbonVertex strip[4 * (kRibbonPoints - 1)];
    if (count < 2 || count > kRibbonPoints)
        return;
    RibbonStrip(points, count, halfWidth, eye, strip);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4 * (count - 1); ++i) {
        glTexCoord2f(strip[i].s, strip[i].t);
        glVertex3f(strip[i].position.x, strip[i].position.y, strip[i].position.z);
    }
    glEnd();
}

void DrawWaveScene(float t)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();

    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);

    // Set while the modelview is the identity: a positional light at the viewer.
    static const GLfloat s_lightAtEye[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, s_lightAtEye);
    glEnable(GL_LIGHT0);

    const Vector3 eye = EyePosition(t);
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);

    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);

    // The ribbons send no normals: they are lit and mapped with the current one, which after the
    // first frame is the last normal of the outer cylinder.
    if (g_texture1)
        g_texture1->Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    Vector3 points[kRibbonPoints];
    for (int r = 1; r <= kRibbonCount; ++r) {
        RibbonPoints(r, t, points);
        DrawRibbon(points, kRibbonPoints, kRibbonHalfWidth, eye);
    }

    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glEnable(GL_LIGHTING);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (g_texture4)
        g_texture4->Bind();

    // The quadric's axis runs along +x from -5 to +5.
    glTranslatef(-5.0f, 0.0f, 0.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    if (g_quadric) {
        gluCylinder(g_quadric, 0.7, 0.7, 10.0, 32, 6);
        gluCylinder(g_quadric, 0.71, 0.71, 10.0, 32, 6);
    }

    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
