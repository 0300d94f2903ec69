// What the driver holds, as one read found it: the records as the driver answered
// them (which the writes send back with only the changed field changed), in the
// driver's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/DriverRecords.h"
#include "text/StreamingVerdict.h"

// A synchronisation mode as the driver describes it: a mode code, the source it locks
// to, and the source's name (8-bit ANSI as the driver sent it).
struct SyncMode {
    uint32_t code = 0;
    uint32_t source = 0;
    std::string name;
    bool operator==(const SyncMode&) const = default;
};

SyncMode SyncModeOf(const _SYNC_MODE_ENTRY& entry);

enum class BufferKind { Stream, Asio, Wdm };

// A device's plugs; read is false when its stream status could not be read.
struct DeviceStreams {
    bool read = false;
    _STREAM_INFO info{};
};

struct DriverState {
    _DRIVER_VERSION_INFO version{};
    std::vector<_OVX_DEVICE_PROPERTIES> devices;
    std::vector<_DEVICE_SYNC_MODE_INFO> syncModes;   // devices[i]'s record, paired by device id
    std::vector<_OVX_CHANNEL_PROPERTIES> inputs;
    std::vector<_OVX_CHANNEL_PROPERTIES> outputs;
    uint32_t asioNameOption = 0;
    _CLOCK_SOURCE_INFO clockSource{};
    bool clockSourceRead = false;                    // clockSource is the driver's answer, not the empty record
    uint32_t rateMode = 0;
    _SAMPLE_RATE_INFO sampleRates{};
    _BUFFER_DEPTH_INFO streamDepth{};
    _BUFFER_DEPTH_INFO asioDepth{};
    _BUFFER_DEPTH_INFO wdmDepth{};
    _ASIO_STATISTICS statistics{};
    std::vector<DeviceStreams> streams;              // devices[i]'s plugs

    // The index in devices of the device with this id, or -1.
    int DeviceIndex(uint32_t deviceId) const;
    const _BUFFER_DEPTH_INFO& DepthOf(BufferKind kind) const;
    uint32_t DropOuts() const { return statistics.words[kAsioDropOutWord]; }
    // The offered rates, no more than the record holds.
    std::vector<uint32_t> OfferedRates() const;
    // Whether streaming runs, by the plugs of the devices whose stream status was read.
    StreamingState Streaming() const;
};
