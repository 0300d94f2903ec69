// A result code as the trace window shows it: the name of a code the driver or the
// system defines, else its hexadecimal value.
#pragma once
#include <cstdint>
#include <string>

std::string SimResultName(uint32_t code);
