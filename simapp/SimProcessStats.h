// The process's resource counts, for watching a long run for leaks:
// "handles H gdi G user U private-bytes P". Where the system does not tell a figure
// (Wine), it is counted: handle values in use, GDI table entries in use, windows.
#pragma once
#include <string>

std::string SimProcessStats();
