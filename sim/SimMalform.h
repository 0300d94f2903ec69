// Turns a well-formed answer into the kind of broken one a faulty driver gives.
#pragma once

#include <cstdint>

#include "sim/SimFaults.h"

// Rewrites the answer in out (outSize bytes, the record of code) and returns how
// many of its bytes are to reach the caller.
uint32_t Malform(uint32_t code, Malformation malformation, uint8_t* out, uint32_t outSize);
