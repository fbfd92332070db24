// The preview area's window handle from the /p command line.
#pragma once

#include <cstdint>
#include <string>

// Reads the handle from the fourth character of the arguments on, as the platform's Val does:
// blanks are skipped, "&H" reads hexadecimal and "&O" octal, digits are read up to the first
// character that does not belong to a number; the value is rounded to the nearest whole number
// (halves to even). A value that does not fit in 32 bits leaves the handle 0, as does no number.
std::int32_t PreviewHandleOf(const std::string& arguments);

// The preview area's size in twips; 32-bit, so an area wider than 2184 pixels is not lost.
std::int32_t PreviewTwips(std::int32_t pixels, int twipsPerPixel);
