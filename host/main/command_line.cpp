#include "command_line.h"

#include "ansi_text.h"

std::string ArgumentsOf(const std::string& commandLine)
{
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t')
            ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t'))
        ++i;
    return commandLine.substr(i);
}

std::string ModeLetter(const std::string& arguments)
{
    return CharacterAt(UpperAscii(arguments), 1);
}
