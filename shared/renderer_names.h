// How the host finds the renderer: its file beside the host, and the title of its window, by which
// the host watches the show from outside. The words of its command line are in show_options.h.
#pragma once

constexpr wchar_t kRendererFileName[] = L"Lunaquill.dll";
constexpr char kRendererTitle[] = "LunaquillVC";
