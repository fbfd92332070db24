#include "gl_window.h"

#include <X11/Xutil.h>

namespace {

// A GL visual with double buffering and depth when the visual has one, else any GL visual of it.
XVisualInfo* GLVisualOf(Display* display, VisualID id, bool* doubleBuffered)
{
    XVisualInfo wanted = {};
    wanted.visualid = id;
    int count = 0;
    XVisualInfo* info = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
    if (!info)
        return nullptr;
    int useGL = 0, doubled = 0;
    glXGetConfig(display, info, GLX_USE_GL, &useGL);
    glXGetConfig(display, info, GLX_DOUBLEBUFFER, &doubled);
    if (!useGL) {
        XFree(info);
        return nullptr;
    }
    *doubleBuffered = doubled != 0;
    return info;
}

} // namespace

GLWindow::GLWindow(Display* d, Window target, int width, int height, const char* title, int x, int y)
    : display(d), window(target), context(nullptr), own(target == 0), doubleBuffered(true), deleteWindow(0)
{
    if (!display)
        throw "Cannot open the X display.";
    const int screen = DefaultScreen(display);
    XVisualInfo* visual = nullptr;
    if (own) {
        int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 5, GLX_GREEN_SIZE, 5, GLX_BLUE_SIZE, 5,
                            GLX_DEPTH_SIZE, 16, None};
        visual = glXChooseVisual(display, screen, attributes);
        if (!visual)
            throw "No OpenGL visual with double buffering and depth.";
        XSetWindowAttributes set = {};
        set.colormap = XCreateColormap(display, RootWindow(display, screen), visual->visual, AllocNone);
        set.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask | ExposureMask;
        window = XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                               static_cast<unsigned>(height), 0, visual->depth, InputOutput, visual->visual,
                               CWColormap | CWEventMask, &set);
        XStoreName(display, window, title);
        // Window managers and their rules find the program by its class.
        char name[] = "lunaquill", className[] = "Lunaquill";
        XClassHint hint = {name, className};
        XSetClassHint(display, window, &hint);
        // The place and size asked for are the user's, which a window manager keeps.
        XSizeHints size = {};
        size.flags = USPosition | USSize;
        size.x = x;
        size.y = y;
        size.width = width;
        size.height = height;
        XSetWMNormalHints(display, window, &size);
        deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, window, &deleteWindow, 1);
        XMapWindow(display, window);
    } else {
        // Someone else's window: draw with its own visual, and hear when it changes size.
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes))
            throw "The window to draw in does not exist.";
        visual = GLVisualOf(display, XVisualIDFromVisual(attributes.visual), &doubleBuffered);
        if (!visual)
            throw "The window to draw in has no OpenGL visual.";
        XSelectInput(display, window, StructureNotifyMask | ExposureMask);
    }
    context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (!context || !glXMakeCurrent(display, window, context)) {
        if (own)
            XDestroyWindow(display, window);
        throw "Cannot create the OpenGL context.";
    }
}

GLWindow::~GLWindow()
{
    glXMakeCurrent(display, None, nullptr);
    if (context)
        glXDestroyContext(display, context);
    if (own)
        XDestroyWindow(display, window);
    XFlush(display);
}

void GLWindow::SwapBuffers()
{
    if (doubleBuffered)
        glXSwapBuffers(display, window);
    else
        glFlush();
}

void GLWindow::Size(int* width, int* height) const
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) {
        *width = attributes.width;
        *height = attributes.height;
    }
}
