#include "system_libraries.h"

#include <string>

namespace {

std::wstring SystemPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    return std::wstring(folder) + L"\\" + name;
}

} // namespace

void UseSystemLibrariesOnly(std::initializer_list<const wchar_t*> delayLoaded)
{
    // Windows 8 and later, and Windows 7 with KB2533623.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set && set(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // A library already loaded is found by its name: the delay-load step then takes these.
    for (const wchar_t* name : delayLoaded)
        LoadSystemLibrary(name);
}

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // Without the loader update the flag is refused: the full path, and that library's own
    // dependencies looked for in its folder first.
    const std::wstring path = SystemPath(name);
    return path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
