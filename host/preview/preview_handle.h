// The preview area's window handle from the /p command line.
#pragma once

#include <cstdint>
#include <string>

// Reads the handle from the fourth character of the arguments on, as the platform's Val does:
// blanks are skipped, "&H" reads hexadecimal and "&O" octal, digits are read up to the first
// character that does not belong to a number; the value is rounded to the nearest whole number
// (halves to even). Windows writes handles as unsigned decimals, so values up to 2^32-1 are handles
// too: the result is the handle's 32 bits, which the platform sign-extends to a window handle. A
// value that does not fit in 32 bits leaves the handle 0, as does no number.
std::int32_t PreviewHandleOf(const std::string& arguments);
