#include "access_key.h"

#include <cctype>
#include <cwctype>

std::wstring CaptionWithAccessKey(const std::wstring& caption, char letter)
{
    const wchar_t upper = static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(letter)));
    std::wstring marked;
    bool done = false;
    for (const wchar_t c : caption) {
        if (!done && static_cast<wchar_t>(std::towupper(c)) == upper) {
            marked += L'&';
            done = true;
        } else if (c == L'&') {
            marked += L'&';
        }
        marked += c;
    }
    if (!done)
        marked += std::wstring(L"(&") + upper + L")";
    return marked;
}
