// The preview form Lunaquill_R: a still picture shown as a child window inside the preview area of
// the display settings, for as long as that area exists.
#pragma once

#include <windows.h>

#include <string>

class PreviewForm {
public:
    // The preview start-up for the /p command line. False when there is no preview area to show in
    // (the handle is not a window): the program then ends.
    static bool Start(const std::string& arguments);

    // Makes the form a child of the given window, covering its client area.
    static HWND ShowInside(HWND area);

private:
    static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
