// The track box's text as BGM_Track. The platform judges it, with its own locale-aware number
// reading (OLE Automation, the user's locale): what that takes as a number becomes the nearest whole
// number, halves to even; what it does not, and a number outside 16 bits, gives 0.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

std::int16_t TrackFromBox(const std::wstring& text);

// A window's whole text, however long.
std::wstring WideWindowText(HWND window);
