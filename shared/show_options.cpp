#include "show_options.h"

#include <cctype>
#include <cstdlib>

namespace {

bool SameWord(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

// "/host:" and a decimal process id that fits; 0 for anything else.
unsigned long HostProcessId(const std::string& word)
{
    const std::size_t prefix = sizeof(kHostProcessWord) - 1;
    if (word.size() <= prefix || word.size() > prefix + 10 || !SameWord(word.substr(0, prefix), kHostProcessWord))
        return 0;
    for (std::size_t i = prefix; i < word.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(word[i])))
            return 0;
    const unsigned long long id = std::strtoull(word.c_str() + prefix, nullptr, 10);
    return id <= 0xFFFFFFFFull ? static_cast<unsigned long>(id) : 0;
}

} // namespace

ShowOptions ParseShowOptions(const std::string& commandLine)
{
    ShowOptions options;
    std::size_t i = 0;
    while (i < commandLine.size()) {
        while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
            ++i;
        std::string word;
        bool quoted = false;
        for (; i < commandLine.size(); ++i) {
            const char c = commandLine[i];
            if (c == '"')
                quoted = !quoted;
            else if (!quoted && (c == ' ' || c == '\t'))
                break;
            else
                word += c;
        }
        if (SameWord(word, kNativeDisplayWord))
            options.nativeDisplay = true;
        else if (SameWord(word, kEndOnInputWord))
            options.endOnInput = true;
        else if (const unsigned long id = HostProcessId(word))
            options.hostProcessId = id;
    }
    return options;
}

std::string ShowOptionsText(const ShowOptions& options)
{
    std::string text;
    if (options.nativeDisplay)
        text += std::string(" ") + kNativeDisplayWord;
    if (options.endOnInput)
        text += std::string(" ") + kEndOnInputWord;
    if (options.hostProcessId)
        text += std::string(" ") + kHostProcessWord + std::to_string(options.hostProcessId);
    return text;
}
