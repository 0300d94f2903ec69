// A request of the simulated driver's trace as one line of text:
// "GetDeviceProperties 00b2a100... 0x00000000" (name, input bytes in hex or "-" for
// none, result code).
#pragma once

#include <string>

#include "sim/SimDriver.h"

std::string FormatTraceLine(const SimTraceEntry& entry);
