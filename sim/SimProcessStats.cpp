#include "sim/SimProcessStats.h"

#include <windows.h>
#include <psapi.h>

std::string SimProcessStats()
{
    HANDLE process = ::GetCurrentProcess();
    DWORD handles = 0;
    ::GetProcessHandleCount(process, &handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    return "handles " + std::to_string(handles) + " gdi " +
           std::to_string(::GetGuiResources(process, GR_GDIOBJECTS)) + " user " +
           std::to_string(::GetGuiResources(process, GR_USEROBJECTS)) + " private-bytes " +
           std::to_string(memory.PrivateUsage);
}
