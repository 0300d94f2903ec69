// The driver codes that the panel explains to the user, with their texts.
#pragma once

#include <cstdint>
#include <string>

#include "driver/ResultCodes.h"

// A driver code with its explanation: the string table id and the same text.
struct DriverErrorText {
    DrvResult code;
    uint32_t stringId;
    const char* text;
};

// The explanation of a recognised driver code, or null for any other code.
const DriverErrorText* FindDriverErrorText(DrvResult code);

// The text of any result code: the driver's explanation, the panel's own codes', or a
// few system codes' that a missing or busy device gives; empty for any other code.
std::string ResultText(DrvResult code);
