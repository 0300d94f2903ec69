// Programming errors of the code built on the framework (a data exchange with an id
// that has no control, an exception stopped at a window procedure) are reported, not
// swallowed: on the debug output, and to a hook that a test harness installs.
#pragma once

using ProgrammingErrorHook = void (*)(const char* what);

// Returns the hook it replaces; null removes it.
ProgrammingErrorHook SetProgrammingErrorHook(ProgrammingErrorHook hook);
void ReportProgrammingError(const char* what) noexcept;
