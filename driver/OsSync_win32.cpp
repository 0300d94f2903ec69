#include "driver/OsSync.h"

#include <process.h>
#include <windows.h>

namespace OsSync {

EventHandle CreateAutoResetEvent()
{
    return CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

void CloseEvent(EventHandle event)
{
    if (event)
        CloseHandle(event);
}

bool SignalEvent(EventHandle event)
{
    return ::SetEvent(event) != FALSE;
}

bool ResetEvent(EventHandle event)
{
    return ::ResetEvent(event) != FALSE;
}

bool TryConsumeEvent(EventHandle event)
{
    return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

int WaitForEither(EventHandle first, EventHandle second)
{
    const HANDLE handles[2] = {first, second};
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0)
        return 0;
    if (result == WAIT_OBJECT_0 + 1)
        return 1;
    return -1;   // failure or an abandoned handle
}

ThreadHandle StartThread(unsigned (*entry)(void*), void* argument)
{
    // The runtime's thread start, so the C runtime is set up for the new thread.
    const uintptr_t thread = _beginthreadex(nullptr, 0, entry, argument, 0, nullptr);
    return reinterpret_cast<ThreadHandle>(thread);
}

WaitResult WaitForThread(ThreadHandle thread, uint32_t milliseconds)
{
    switch (WaitForSingleObject(thread, milliseconds)) {
    case WAIT_OBJECT_0:
        return WaitResult::Ended;
    case WAIT_TIMEOUT:
        return WaitResult::TimedOut;
    default:
        return WaitResult::Failed;
    }
}

void CloseThread(ThreadHandle thread)
{
    if (thread)
        CloseHandle(thread);
}

bool PostToWindow(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    return PostMessageW(static_cast<HWND>(window), message, wParam, lParam) != FALSE;
}

void SleepMilliseconds(uint32_t milliseconds)
{
    Sleep(milliseconds);
}

}  // namespace OsSync
