// &H (hexadecimal) and &O (octal) numbers as the platform's number reading gives them, for the two
// readers that take them: the settings file's numbers and the preview's window handle.
#pragma once

#include <string>

// The value of one digit in the radix (16 or 8), or -1 when the character is no such digit.
int RadixDigit(char c, int radix);

// The value of digits of one radix: up to four hexadecimal digits are a 16-bit number (&HFFFF is -1),
// up to eight (and any octal) a 32-bit one; more hexadecimal digits stay positive. False when the
// value does not fit in 32 bits, however many leading zeros there are.
bool RadixValue(const std::string& digits, int radix, long long* value);
