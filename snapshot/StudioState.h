// What the driver holds now, as one read found it (protocol/DriverState.h), and the
// same as a snapshot would save it.
#pragma once

#include <vector>

#include "protocol/DriverState.h"
#include "snapshot/Snapshot.h"

struct StudioState : DriverState {
    Snapshot snapshot;   // the records as a snapshot holds them
    // The record of each of snapshot.inputs and snapshot.outputs: a channel whose
    // device is not listed cannot be keyed by serial number and is left out there.
    std::vector<size_t> inputRecords;
    std::vector<size_t> outputRecords;
};
