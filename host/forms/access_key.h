// An access key in a caption: the letter that, with Alt, reaches the control.
#pragma once

#include <string>

// The caption as it is drawn with its access key (for DrawText, '&' before the letter): the first
// occurrence of the letter (either case) is marked, or, where the caption has none (a Japanese one),
// "(&X)" follows it. An '&' of the caption itself stays text.
std::wstring CaptionWithAccessKey(const std::wstring& caption, char letter);
