// Signals an event object known to the driver only by its 32-bit handle value.
#pragma once

#include <cstdint>

void SignalEventByValue(uint32_t eventValue);
