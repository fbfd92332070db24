#include "radix_number.h"

int RadixDigit(char c, int radix)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < radix ? d : -1;
}

bool RadixValue(const std::string& digits, int radix, long long* value)
{
    unsigned long long v = 0;
    for (char c : digits) {
        v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(RadixDigit(c, radix));
        if (v > 0xFFFFFFFFull)
            return false;
    }
    long long signedValue = static_cast<long long>(v);
    const std::size_t count = digits.size();
    if (radix == 16 && count <= 4 && signedValue >= 0x8000)
        signedValue -= 0x10000;
    else if ((radix == 8 || count <= 8) && signedValue >= 0x80000000LL)
        signedValue -= 0x100000000LL;
    *value = signedValue;
    return true;
}
