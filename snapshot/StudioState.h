// What the driver holds now: the records as it answered them, which the writes of a
// restore send back with only the restored fields changed, and the same as a
// snapshot would save it.
#pragma once

#include <vector>

#include "driver/DriverRecords.h"
#include "snapshot/Snapshot.h"

struct StudioState {
    _DRIVER_VERSION_INFO version{};
    // Parallel, in the driver's order (its ranking): both come from one device list.
    std::vector<_OVX_DEVICE_PROPERTIES> devices;
    std::vector<_DEVICE_SYNC_MODE_INFO> syncModes;
    std::vector<_OVX_CHANNEL_PROPERTIES> inputs;
    std::vector<_OVX_CHANNEL_PROPERTIES> outputs;
    uint32_t asioNameOption = 0;
    _CLOCK_SOURCE_INFO clockSource{};
    uint32_t rateMode = 0;
    _SAMPLE_RATE_INFO sampleRates{};
    _BUFFER_DEPTH_INFO streamDepth{};
    _BUFFER_DEPTH_INFO asioDepth{};
    _BUFFER_DEPTH_INFO wdmDepth{};

    Snapshot snapshot;   // the records above as a snapshot holds them
    // The record of each of snapshot.inputs and snapshot.outputs: a channel whose
    // device is not listed cannot be keyed by serial number and is left out there.
    std::vector<size_t> inputRecords;
    std::vector<size_t> outputRecords;
};
