// Starts a program as a process of its own and measures it from outside: how long
// until its window is up and idle, and its peak working set.
#pragma once
#include <windows.h>
#include <string>

struct ProcessFigures {
    bool ok = false;
    double startMilliseconds = 0;   // process creation until its input is idle with the window shown
    double peakWorkingSetMiB = 0;
};

// Starts commandLine with the given extra environment variables ("NAME=value" each),
// waits for the window titled caption, measures, then ends it with endMessage.
ProcessFigures ProbeProcess(const std::string& commandLine, const std::string& caption,
                            const char* const* environment, UINT endMessage, WPARAM endWParam);
