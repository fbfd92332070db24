#include "resize_gl_scene.h"

#include "gl_api.h"
#include "projection.h"

void ResizeGLScene(int width, int height)
{
    const Projection p = ProjectionFor(width, height);
    glViewport(0, 0, p.viewportWidth, p.viewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(p.fovY, p.aspect, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
