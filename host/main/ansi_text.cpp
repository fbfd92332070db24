#include "ansi_text.h"

namespace {

bool NoLeadBytes(unsigned char)
{
    return false;
}

LeadByteRule s_leadByteRule = NoLeadBytes;

} // namespace

void UseLeadByteRule(LeadByteRule rule)
{
    s_leadByteRule = rule ? rule : NoLeadBytes;
}

bool IsLeadByte(unsigned char c)
{
    return s_leadByteRule(c);
}

std::vector<std::size_t> CharacterStarts(const std::string& text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        // A lead byte at the very end stands alone, as the system's own walk treats it.
        i += (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    }
    return starts;
}

std::string LastCharacters(const std::string& text, std::size_t count)
{
    const std::vector<std::size_t> starts = CharacterStarts(text);
    if (starts.size() <= count)
        return text;
    return text.substr(starts[starts.size() - count]);
}

std::string CharacterAt(const std::string& text, std::size_t index)
{
    const std::vector<std::size_t> starts = CharacterStarts(text);
    if (index >= starts.size())
        return std::string();
    const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
    return text.substr(starts[index], end - starts[index]);
}

std::string CharactersFrom(const std::string& text, std::size_t index)
{
    const std::vector<std::size_t> starts = CharacterStarts(text);
    return index < starts.size() ? text.substr(starts[index]) : std::string();
}

std::string UpperAscii(const std::string& text)
{
    std::string upper = text;
    for (std::size_t i : CharacterStarts(text))
        if (upper[i] >= 'a' && upper[i] <= 'z')
            upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
    return upper;
}

bool EndsWithBackslash(const std::string& text)
{
    return LastCharacters(text, 1) == "\\";
}
