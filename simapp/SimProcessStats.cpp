#include "simapp/SimProcessStats.h"

#include <windows.h>
#include <intrin.h>
#include <psapi.h>
#include <cstdint>

// Wine answers GetProcessHandleCount with 0, GetGuiResources not at all and leaves
// PrivateUsage empty. A process never has none of these, so a 0 means "not told", and
// the figure is counted the long way instead.
namespace {

// The handle values in use: they are small multiples of 4, allocated from the bottom.
DWORD CountHandles()
{
    constexpr uintptr_t kHighest = 0x20000;
    DWORD count = 0;
    DWORD flags = 0;
    for (uintptr_t value = 4; value < kHighest; value += 4)
        count += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return count;
}

// The entries in use of the process's GDI handle table (the PEB's GdiSharedHandleTable).
DWORD CountGdiObjects()
{
    struct Entry {
        uint64_t object;
        uint16_t processId;   // 0 where the table is the process's own
        uint16_t count;
        uint16_t unique;
        uint8_t type;         // 0: free
        uint8_t flags;
        uint64_t user;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr size_t kPebGdiTable = 0xF8;
    constexpr size_t kEntries = 0x10000;
    constexpr unsigned long kTebPeb = 0x60;
    // GCC takes the segment-relative read for one through a null pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* peb = reinterpret_cast<const char*>(__readgsqword(kTebPeb));
#pragma GCC diagnostic pop
    const auto* table = *reinterpret_cast<const Entry* const*>(peb + kPebGdiTable);
    if (!table)
        return 0;
    const auto own = static_cast<uint16_t>(::GetCurrentProcessId());
    DWORD count = 0;
    for (size_t i = 0; i < kEntries; ++i)
        count += table[i].type != 0 && (table[i].processId == own || table[i].processId == 0) ? 1 : 0;
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == ::GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        ::EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

// The process's windows, the bulk of its USER objects.
DWORD CountWindows()
{
    DWORD count = 0;
    ::EnumWindows(CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

std::string SimProcessStats()
{
    HANDLE process = ::GetCurrentProcess();
    DWORD handles = 0;
    if (!::GetProcessHandleCount(process, &handles) || handles == 0)
        handles = CountHandles();
    DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi == 0)
        gdi = CountGdiObjects();
    DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
    if (user == 0)
        user = CountWindows();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // The commit charge: what Windows reports as both PrivateUsage and PagefileUsage.
    const SIZE_T privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return "handles " + std::to_string(handles) + " gdi " + std::to_string(gdi) + " user " + std::to_string(user) +
           " private-bytes " + std::to_string(privateBytes);
}
