#include "sim/SimTraceLine.h"

#include <cstdio>

#include "driver/ControlCodes.h"

std::string FormatTraceLine(const SimTraceEntry& entry)
{
    char number[16];
    std::string line;
    if (const OvxIoctl::Request* request = OvxIoctl::FindRequest(entry.code)) {
        line = request->name;
    } else {
        std::snprintf(number, sizeof number, "0x%08X", entry.code);
        line = number;
    }
    line += ' ';
    if (entry.input.empty())
        line += '-';
    for (uint8_t byte : entry.input) {
        std::snprintf(number, sizeof number, "%02x", byte);
        line += number;
    }
    std::snprintf(number, sizeof number, " 0x%08X", entry.result);
    line += number;
    return line;
}
