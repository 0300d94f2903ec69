// A file of the simulator's statements, one a line, run through a console in order.
#pragma once
#include <string>

#include "sim/SimConsole.h"

// Empty when every line was applied; otherwise "cannot be read", or "line N: " and the
// refused line's answer, and the lines after it are not run. Read with stdio, so that a
// program taking statements this way carries none of the C++ library's streams.
std::string RunSimStatementFile(CSimConsole& console, const std::string& path);
