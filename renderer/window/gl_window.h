// The one window of the renderer, with its device context and OpenGL rendering context.
#pragma once

#include <windows.h>

class GLWindow {
public:
    // Throws one of the const char* messages listed in gl_window.cpp when the window or its context
    // cannot be made. A refused full-screen display mode is not an error: the window opens centred
    // on the desktop instead.
    GLWindow(const char* title, int width, int height, int colorBits, bool fullscreen);
    ~GLWindow();

    void SwapBuffers();

    HWND hWnd;
    HDC hDC;
    HGLRC hRC;

private:
    GLWindow(const GLWindow&);
    GLWindow& operator=(const GLWindow&);
};

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
