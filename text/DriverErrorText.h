// The driver codes that the panel explains to the user, with their texts.
#pragma once

#include <cstdint>

#include "driver/ResultCodes.h"

// A driver code with its explanation: the string table id and the same text.
struct DriverErrorText {
    DrvResult code;
    uint32_t stringId;
    const char* text;
};

// The explanation of a recognised driver code, or null for any other code.
const DriverErrorText* FindDriverErrorText(DrvResult code);
