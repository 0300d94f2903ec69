// Times as the program's texts show them: local for the person who reads them, UTC for
// files read in another time zone (a snapshot's, beside the local time in a report).
#pragma once

#include <chrono>
#include <string>

// "2026-12-10 14:03:07"
std::string LocalTimeText(std::chrono::system_clock::time_point when);
// "2026-12-10", as a report's file is named by default.
std::string LocalDateText(std::chrono::system_clock::time_point when);
// "2026-12-10T05:03:07Z"
std::string UtcTimeText(std::chrono::system_clock::time_point when);
