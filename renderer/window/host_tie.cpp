#include "host_tie.h"

#include <windows.h>

namespace {

void CALLBACK HostEnded(void* thread, BOOLEAN)
{
    PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(thread)), WM_QUIT, 0, 0);
}

ULONGLONG CreationTime(HANDLE process)
{
    FILETIME created = {}, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

} // namespace

bool EndWithHost(unsigned long processId)
{
    HANDLE host = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!host)
        return false;
    // The host started this process: a process started after it only has the host's id again.
    HANDLE wait = nullptr;
    if (WaitForSingleObject(host, 0) != WAIT_TIMEOUT || CreationTime(host) > CreationTime(GetCurrentProcess()) ||
        !RegisterWaitForSingleObject(&wait, host, HostEnded, reinterpret_cast<void*>(static_cast<ULONG_PTR>(GetCurrentThreadId())),
                                     INFINITE, WT_EXECUTEONLYONCE)) {
        CloseHandle(host);
        return false;
    }
    return true;  // the handle and the wait stay for the life of the show
}
