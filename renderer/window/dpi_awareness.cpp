#include "dpi_awareness.h"

#include "shared/system_libraries.h"

#include <windows.h>

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

void BecomeDpiAware()
{
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2: a pseudo handle, (HANDLE)-4.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (const auto set = Lookup<SetContext>(user32, "SetProcessDpiAwarenessContext"))
        if (set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))))
            return;
    // PROCESS_PER_MONITOR_DPI_AWARE = 2; shcore.dll is there from Windows 8.1.
    using SetAwareness = HRESULT(WINAPI*)(int);
    if (HMODULE shcore = LoadSystemLibrary(L"shcore.dll")) {
        const auto set = Lookup<SetAwareness>(shcore, "SetProcessDpiAwareness");
        const bool done = set && SUCCEEDED(set(2));
        FreeLibrary(shcore);
        if (done)
            return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (const auto set = Lookup<SetAware>(user32, "SetProcessDPIAware"))
        set();
}
