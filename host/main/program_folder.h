#pragma once

#include <string>

// The folder of the program file, without a trailing backslash, except at a drive root ("C:\").
std::string ProgramFolderOf(const std::string& modulePath);

// folder + "\" + name; at a drive root this gives two backslashes in a row, which Windows accepts.
std::string JoinPath(const std::string& folder, const std::string& name);

// The path File_Exists opens: a trailing backslash is dropped first.
std::string PathToOpen(const std::string& path);
