#include "program_folder.h"

#include "ansi_text.h"
#include "settings.h"

std::string ProgramFolderOf(const std::string& modulePath)
{
    std::string folder = Folder_Of(modulePath);
    if (folder.size() == 2 && folder[1] == ':')
        folder += "\\";
    return folder;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    return folder + "\\" + name;
}

std::string PathToOpen(const std::string& path)
{
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}
