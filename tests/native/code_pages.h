// The two code pages the host meets in the field, as their lead-byte rules: 932 (Japanese Windows:
// 0x81-0x9F and 0xE0-0xFC start a double-byte character) and 1252 (Western: none does).
#pragma once

#include "main/ansi_text.h"

inline bool Cp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

inline bool Cp1252LeadByte(unsigned char)
{
    return false;
}

// Walks texts by one code page for the scope's lifetime.
class CodePageScope {
public:
    explicit CodePageScope(LeadByteRule rule) { UseLeadByteRule(rule); }
    ~CodePageScope() { UseLeadByteRule(nullptr); }
    CodePageScope(const CodePageScope&) = delete;
    CodePageScope& operator=(const CodePageScope&) = delete;
};
