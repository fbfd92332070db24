#include "show_options.h"

#include <cctype>

namespace {

bool SameWord(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
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
    return text;
}
