#include "cp932.h"

bool IsCp932LeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

std::vector<std::size_t> Cp932CharacterStarts(const std::string& text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        i += (IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return starts;
}

std::string LastCharacters(const std::string& text, std::size_t count)
{
    const std::vector<std::size_t> starts = Cp932CharacterStarts(text);
    if (starts.size() <= count)
        return text;
    return text.substr(starts[starts.size() - count]);
}

std::string CharacterAt(const std::string& text, std::size_t index)
{
    const std::vector<std::size_t> starts = Cp932CharacterStarts(text);
    if (index >= starts.size())
        return std::string();
    const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
    return text.substr(starts[index], end - starts[index]);
}

std::string UpperAscii(const std::string& text)
{
    std::string upper = text;
    for (std::size_t i : Cp932CharacterStarts(text))
        if (upper[i] >= 'a' && upper[i] <= 'z')
            upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    return upper;
}

bool EndsWithBackslash(const std::string& text)
{
    return LastCharacters(text, 1) == "\\";
}
