// Paths of the program's own files (its folder, the renderer, the settings file). They may hold any
// character, so they are kept as wide text and never pass through the system's code page.
#pragma once

#include <string>

// The folder part of a path: up to the last ":" or "\", without a trailing "\".
std::wstring ParentFolder(const std::wstring& path);

// The folder of the program file, without a trailing backslash, except at a drive root ("C:\").
std::wstring ProgramFolderOf(const std::wstring& modulePath);

// folder + "\" + name; at a drive root this gives two backslashes in a row, which Windows accepts.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The path File_Exists opens: a trailing backslash is dropped first.
std::string PathToOpen(const std::string& path);
