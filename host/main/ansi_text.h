// Texts and paths reach the host in the system's ANSI code page. On a double-byte code page such as
// 932 the second byte of a character can be 0x5C, the backslash (表 is 95 5C), so walking bytes would
// split characters; on a single-byte page such as 1252 the same byte values are characters of their
// own ("é" is 0xE9). Strings are therefore walked by the rule of the code page the system really has.
#pragma once

#include <string>
#include <vector>

// Tells whether a byte starts a double-byte character.
using LeadByteRule = bool (*)(unsigned char byte);

// The rule the helpers below use. The Windows shell installs the system's own at start; until then
// no byte starts a double-byte character.
void UseLeadByteRule(LeadByteRule rule);
bool IsLeadByte(unsigned char c);

// Byte offsets at which each character of the text starts.
std::vector<std::size_t> CharacterStarts(const std::string& text);

// The last `count` characters (all of them if there are fewer).
std::string LastCharacters(const std::string& text, std::size_t count);

// The character at index `index` (0-based), or an empty string past the end.
std::string CharacterAt(const std::string& text, std::size_t index);

// The text from character `index` on (empty past the end).
std::string CharactersFrom(const std::string& text, std::size_t index);

// Upper case for the ASCII letters; other characters are left alone.
std::string UpperAscii(const std::string& text);

// True when the text's last character is a backslash (not the second half of a double-byte one).
bool EndsWithBackslash(const std::string& text);
