#include "swap_interval.h"

#include <windows.h>

namespace {

typedef BOOL(WINAPI* SwapIntervalSetter)(int);
typedef int(WINAPI* SwapIntervalGetter)(void);

// Extension entry points belong to the current context's driver: looked up each time, never kept.
template <typename Function>
Function Extension(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

} // namespace

bool SetSwapInterval(int interval)
{
    const SwapIntervalSetter set = Extension<SwapIntervalSetter>("wglSwapIntervalEXT");
    return set && set(interval);
}

int SwapInterval()
{
    const SwapIntervalGetter get = Extension<SwapIntervalGetter>("wglGetSwapIntervalEXT");
    return get ? get() : -1;
}
