// The process's resource counts, for watching a long run for leaks:
// "handles H gdi G user U private-bytes P".
#pragma once
#include <string>

std::string SimProcessStats();
