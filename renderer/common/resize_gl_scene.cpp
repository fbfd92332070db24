#include "resize_gl_scene.h"

#include "gl_api.h"
#include "projection.h"

namespace {

void Project(const Projection& p)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(p.fovY, p.aspect, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace

void ResizeGLScene(int width, int height)
{
    const Projection p = ProjectionFor(width, height);
    glViewport(0, 0, p.viewportWidth, p.viewportHeight);
    Project(p);
}

void ViewGLScene(int x, int y, int width, int height)
{
    const Projection p = ProjectionFor(width, height);
    glViewport(x, y, p.viewportWidth, p.viewportHeight);
    glScissor(x, y, p.viewportWidth, p.viewportHeight);
    glEnable(GL_SCISSOR_TEST);
    Project(p);
}
