// What changed between two full reads of the driver, as a user is told of it: by the
// tray's balloons, in the panel's event history and by ovxctl watch. The changes the
// panel's own writes brought (its request journal says which) are marked as its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/DriverRecords.h"
#include "protocol/RequestJournal.h"
#include "text/StreamingVerdict.h"

// What one full read of the driver found, as far as its changes are told.
struct DriverFindings {
    struct Device {
        uint32_t id = 0;        // identity: a renamed device is the same device
        std::string name;       // the driver's ANSI texts
        std::string serial;
    };

    bool driverReached = false;           // the driver answered the device list
    std::vector<Device> devices;
    uint32_t sampleRate = 0;              // Hz; 0 when it could not be read
    bool clockKnown = false;              // the clock master could be read
    _CLOCK_SOURCE_INFO clockSource{};
    StreamingState streaming = StreamingState::NoStreams;
    std::string failedDevice;             // the first device whose audio plug failed to connect
    uint32_t failureCode = 0;             // and its plug's error

    const Device* DeviceWithId(uint32_t id) const;
};

enum class DriverChangeKind {
    DriverGone,
    DriverBack,
    DeviceConnected,
    DeviceGone,
    StreamingStopped,
    StreamingBack,
    RateChanged,
    ClockMasterChanged,
};

// What a change is about, beside its kind. The event history keeps the same facts.
struct DriverChangeFacts {
    bool byPanel = false;        // the panel's own write brought it
    std::string device;          // the device it is about (a connected or gone device, the
    std::string serial;          // device of the failed plug, the new clock master); empty
                                 // for the PC driver as master
    uint32_t before = 0;         // RateChanged: Hz; ClockMasterChanged: the master's id, 0 the PC
    uint32_t after = 0;
    bool masterIsPc = false;     // ClockMasterChanged: the PC driver is the master now
    uint32_t failureCode = 0;    // StreamingStopped: the failed plug's error, 0 when none failed

    bool operator==(const DriverChangeFacts&) const = default;
};

struct DriverChange : DriverChangeFacts {
    DriverChangeKind kind = DriverChangeKind::DriverGone;
};

// The changes from `before` to `after`, in this order: the driver's loss or return (and
// nothing else then: without a driver nothing else can be known), devices connected,
// devices gone, streaming, the sampling rate, the clock master.
std::vector<DriverChange> FindDriverChanges(const DriverFindings& before, const DriverFindings& after,
                                            const OwnWrites& own);
