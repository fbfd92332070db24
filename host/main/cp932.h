// Paths and texts reach the host as code page 932 bytes, where the second byte of a double-byte
// character can be 0x5C, the backslash: walking such a string byte by byte would take the second
// half of a character like 表 (95 5C) for a path separator. These helpers walk characters.
#pragma once

#include <string>
#include <vector>

bool IsCp932LeadByte(unsigned char c);

// Byte offsets at which each character of the text starts.
std::vector<std::size_t> Cp932CharacterStarts(const std::string& text);

// The last `count` characters (all of them if there are fewer).
std::string LastCharacters(const std::string& text, std::size_t count);

// The character at index `index` (0-based), or an empty string past the end.
std::string CharacterAt(const std::string& text, std::size_t index);

// Upper case for the ASCII letters; double-byte characters are left alone.
std::string UpperAscii(const std::string& text);

// True when the text's last character is a backslash (not the second half of a double-byte one).
bool EndsWithBackslash(const std::string& text);
