// A studio snapshot's restore at the record limits, counted on the simulated driver's
// trace: an unchanged snapshot, which must make its reads and nothing more, and one
// that renames every device and channel, which must write each changed record once.
#pragma once

#include <cstddef>

#include "sim/SimBus.h"

struct RestoreFigures {
    size_t unchangedRequests = 0;   // everything the restore of an unchanged snapshot sent
    size_t reads = 0;               // the reads of one full picture of the driver
    size_t unchangedWrites = 0;
    size_t renamedWrites = 0;
    size_t renamedRecords = 0;      // devices and channels whose name differs
    double renamedMs = 0;           // the renaming restore, reads and read-back included
};

RestoreFigures MeasureRestore(const SimBus& bus);
