#include "preview_handle.h"

#include "main/ansi_text.h"
#include "main/radix_number.h"

#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void SkipBlanks(const std::string& text, std::size_t* i)
{
    while (*i < text.size() && IsBlank(text[*i]))
        ++*i;
}

// After &H or &O: the digits of the radix up to the first character that is no such digit (blanks
// are skipped). A value past 32 bits is too large, which reads as no handle.
double RadixPart(const std::string& text, std::size_t i, int radix)
{
    std::string digits;
    for (; i < text.size(); ++i) {
        if (IsBlank(text[i]))
            continue;
        if (RadixDigit(text[i], radix) < 0)
            break;
        digits += text[i];
    }
    long long value = 0;
    return RadixValue(digits, radix, &value) ? static_cast<double>(value) : 4294967296.0;
}

// A decimal number: sign, digits with one point, an exponent (E or D), blanks anywhere ignored; it
// ends at the first character that cannot continue it.
double DecimalPart(const std::string& text, std::size_t i)
{
    std::string digits;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        digits += text[i++];
    bool point = false, exponent = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsBlank(c))
            continue;
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c == '.' && !point && !exponent) {
            point = true;
            digits += c;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && !exponent) {
            exponent = true;
            digits += 'e';
            if (i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-'))
                digits += text[++i];
        } else {
            break;
        }
    }
    return std::strtod(digits.c_str(), nullptr);
}

// Val: the numeric value of the text's beginning, blanks anywhere ignored.
double Val(const std::string& text)
{
    std::size_t i = 0;
    SkipBlanks(text, &i);
    if (i + 1 < text.size() && text[i] == '&') {
        const char radix = static_cast<char>(text[i + 1] & ~0x20);
        if (radix == 'H')
            return RadixPart(text, i + 2, 16);
        if (radix == 'O')
            return RadixPart(text, i + 2, 8);
    }
    return DecimalPart(text, i);
}

} // namespace

std::int32_t PreviewHandleOf(const std::string& arguments)
{
    // From the fourth character, as the mode letter is the second: a double-byte first character
    // counts once.
    const std::string handle = CharactersFrom(arguments, 3);
    if (handle.empty())
        return 0;
    const double value = std::nearbyint(Val(handle));
    if (!std::isfinite(value) || value < -2147483648.0 || value > 4294967295.0)
        return 0;
    // Windows writes the handle unsigned; from 2^31 on it is the same 32 bits as a negative number.
    if (value > 2147483647.0)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) - 0x80000000u) + INT32_MIN;
    return static_cast<std::int32_t>(value);
}
