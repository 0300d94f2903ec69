#include "ui/ProgrammingError.h"

#include <windows.h>
#include <atomic>
#include <cstdio>

namespace {

std::atomic<ProgrammingErrorHook> g_hook{nullptr};

}  // namespace

ProgrammingErrorHook SetProgrammingErrorHook(ProgrammingErrorHook hook)
{
    return g_hook.exchange(hook);
}

void ReportProgrammingError(const char* what) noexcept
{
    // No allocation: this runs inside the handlers that stop exceptions.
    char line[512];
    std::snprintf(line, sizeof line, "OVX_CPL: %s\n", what);
    ::OutputDebugStringA(line);
    if (ProgrammingErrorHook hook = g_hook.load())
        hook(what);
}
