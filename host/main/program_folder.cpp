#include "program_folder.h"

#include "ansi_text.h"

std::wstring ParentFolder(const std::wstring& path)
{
    const std::wstring::size_type last = path.find_last_of(L":\\");
    if (last == std::wstring::npos)
        return std::wstring();
    std::wstring folder = path.substr(0, last + 1);
    if (folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

std::wstring ProgramFolderOf(const std::wstring& modulePath)
{
    std::wstring folder = ParentFolder(modulePath);
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    return folder;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    return folder + L"\\" + name;
}

std::string PathToOpen(const std::string& path)
{
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}
