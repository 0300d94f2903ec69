// The bus as the driver reports it, for programs that check what the panel shows
// against what the driver holds: every read request answered on a copy of the bus, as
// one JSON text.
#pragma once

#include <cstddef>
#include <string>

#include "sim/SimBus.h"

// pendingEvents: the events queued for connections that registered an event and have
// not yet fetched them; 0 once the panel has seen everything the bus told it.
std::string SimStateReport(const SimBus& bus, size_t pendingEvents);
