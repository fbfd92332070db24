#include "fps_overlay.h"

#include "gl_api.h"

#include <cstdio>

FpsOverlay::FpsOverlay(Display* display)
    : m_display(display), m_font(XLoadQueryFont(display, "fixed")), m_lists(0), m_since(-1), m_frames(0), m_rate(0)
{
    if (m_font) {
        m_lists = glGenLists(96);
        glXUseXFont(m_font->fid, 32, 96, static_cast<int>(m_lists));
    }
}

FpsOverlay::~FpsOverlay()
{
    if (m_lists)
        glDeleteLists(m_lists, 96);
    if (m_font)
        XFreeFont(m_display, m_font);
}

void FpsOverlay::Draw(long double now, int width, int height)
{
    if (m_since < 0)
        m_since = now;
    ++m_frames;
    if (now - m_since >= 1) {
        m_rate = m_frames / static_cast<double>(now - m_since);
        m_since = now;
        m_frames = 0;
    }
    if (!m_lists)
        return;
    char text[32];
    const int length = std::snprintf(text, sizeof(text), "FPS: %.1f", m_rate);

    // Over the scene in window pixels, leaving its matrices and state as they were.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1, 1, 0);
    glRasterPos2i(10, 10 + m_font->descent);
    glListBase(m_lists - 32);
    glCallLists(length, GL_UNSIGNED_BYTE, text);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
