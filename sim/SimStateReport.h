// The bus as the driver reports it, for programs that check what the panel shows
// against what the driver holds: every read request answered on a copy of the bus, as
// one JSON text.
#pragma once

#include <cstddef>
#include <string>

#include "sim/SimBus.h"

struct SimConnectionCounts;   // sim/SimDriver.h

// Beside the bus: "connections" and "listening" (0 when the panel cannot read the driver
// or does not hear it), and "pendingEvents", 0 once the panel has fetched every event.
std::string SimStateReport(const SimBus& bus, const SimConnectionCounts& connections);
