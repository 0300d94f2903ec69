// Storing the ranking, the order in which ASIO hosts see the devices' channels: every
// device record goes back whole, in the driver's order, with its new place.
#pragma once

#include <cstddef>
#include <span>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/WriteOutcome.h"

// records: every device in the driver's order, as last read; order: the indices of
// records from the first place to the last. Each record's ranking field is set to
// its place and the records are sent; a refusal does not stop the others. An order
// that does not name every record exactly once sends nothing.
WriteOutcome StoreRanking(COvx1394Driver& drv, std::span<_OVX_DEVICE_PROPERTIES* const> records,
                          std::span<const size_t> order);
