#include "bench/ProcessProbe.h"

#include <psapi.h>
#include <chrono>
#include <vector>

namespace {

// This process's environment with the extra variables put in front of it.
std::vector<char> EnvironmentWith(const char* const* extra)
{
    std::vector<char> block;
    for (const char* const* variable = extra; variable && *variable; ++variable)
        block.insert(block.end(), *variable, *variable + lstrlenA(*variable) + 1);
    char* own = ::GetEnvironmentStringsA();
    for (const char* entry = own; *entry; entry += lstrlenA(entry) + 1)
        block.insert(block.end(), entry, entry + lstrlenA(entry) + 1);
    ::FreeEnvironmentStringsA(own);
    block.push_back('\0');
    return block;
}

}  // namespace

ProcessFigures ProbeProcess(const std::string& commandLine, const std::string& caption,
                            const char* const* environment, UINT endMessage, WPARAM endWParam)
{
    ProcessFigures figures;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::vector<char> block = EnvironmentWith(environment);
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, block.data(), nullptr, &startup,
                          &process))
        return figures;
    HWND window = nullptr;
    if (::WaitForInputIdle(process.hProcess, 20000) == 0) {
        // Idle can come before the window on a program that shows it late; wait for both.
        for (int i = 0; i < 2000 && !(window = ::FindWindowA(nullptr, caption.c_str())); ++i)
            ::Sleep(1);
    }
    figures.startMilliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    if (window && ::GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
        figures.peakWorkingSetMiB = static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
        figures.ok = true;
    }
    if (window)
        ::PostMessageA(window, endMessage, endWParam, 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return figures;
}
