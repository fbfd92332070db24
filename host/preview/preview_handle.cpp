#include "preview_handle.h"

#include "main/ansi_text.h"

#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Val: the numeric value of the text's beginning, blanks anywhere ignored.
double Val(const std::string& text)
{
    std::string digits;
    std::size_t i = 0;
    auto skip = [&]() {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    };
    skip();
    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h' || text[i + 1] == 'O' || text[i + 1] == 'o')) {
        const int radix = (text[i + 1] == 'H' || text[i + 1] == 'h') ? 16 : 8;
        i += 2;
        // The value is kept while it fits in 32 bits; more digits only make it too large, which
        // reads as no handle, however many there are.
        unsigned long long v = 0;
        bool tooLarge = false;
        int count = 0;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (IsBlank(c))
                continue;
            int d;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (radix == 16 && c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (radix == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (d >= radix)
                break;
            ++count;
            if (!tooLarge)
                v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
            tooLarge = tooLarge || v > 0xFFFFFFFFull;
        }
        if (tooLarge)
            return 4294967296.0;  // outside 32 bits
        // Up to four hex digits are a 16-bit number, up to eight a 32-bit one; past that the value
        // stays positive.
        long long signedValue = static_cast<long long>(v);
        if (radix == 16 && count <= 4 && signedValue >= 0x8000)
            signedValue -= 0x10000;
        else if ((radix == 8 || count <= 8) && signedValue >= 0x80000000LL)
            signedValue -= 0x100000000LL;
        return static_cast<double>(signedValue);
    }
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
