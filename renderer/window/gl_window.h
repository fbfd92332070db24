// The one window of the renderer, with its device context and OpenGL rendering context.
#pragma once

#include "common/monitor_views.h"
#include "shared/pointer_rest.h"

#include <windows.h>

#include <vector>

class GLWindow {
public:
    // Throws one of the const char* messages listed in gl_window.cpp when the window or its context
    // cannot be made. A refused full-screen display mode is not an error: the window opens centred
    // on the desktop instead.
    GLWindow(const char* title, int width, int height, int colorBits, bool fullscreen);
    // Every monitor at its own resolution: a borderless top-most window over the whole virtual screen
    // in the desktop's colour depth, with no display mode switch; one view per monitor. Throws as the
    // other constructor does.
    explicit GLWindow(const char* title);
    ~GLWindow();

    void SwapBuffers();
    // Over the monitors as they are now (one plugged in, taken away, or set to another resolution).
    void FollowMonitors();
    // After a display change: the native show follows the monitors, and the pointer, which the system
    // may have moved with them, rests where it is now (that move is not the user's).
    void DisplayChanged();
    bool NativeDisplay() const { return m_nativeDisplay; }
    static GLWindow* FromWindow(HWND window);

    HWND hWnd;
    HDC hDC;
    HGLRC hRC;
    std::vector<MonitorView> views;  // empty: one view, the whole window, kept by WM_SIZE
    InputWatch pointer;              // the pointer's rest position, for the end on input

private:
    void MakeContext(int colorBits, bool modeChanged);
    void TakeTheScreen();

    bool m_nativeDisplay;
    GLWindow(const GLWindow&);
    GLWindow& operator=(const GLWindow&);
};

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
