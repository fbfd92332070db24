// The renderer's window on X11: its own window, the root window, or a window another program made
// (XScreenSaver's), with a GLX context on it.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

class GLWindow {
public:
    // target 0: a window of its own, width x height at x, y, titled `title` (its class "Lunaquill").
    // Throws a const char* message when there is no display, no GL visual for the window or no
    // context.
    GLWindow(Display* display, Window target, int width, int height, const char* title, int x = 0, int y = 0);
    ~GLWindow();

    void SwapBuffers();
    // The drawable's size now.
    void Size(int* width, int* height) const;

    Display* display;
    Window window;
    GLXContext context;
    bool own;                // made here (and destroyed here); takes keys and the close button
    bool doubleBuffered;
    Atom deleteWindow;       // WM_DELETE_WINDOW

private:
    GLWindow(const GLWindow&);
    GLWindow& operator=(const GLWindow&);
};
