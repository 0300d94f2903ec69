// What a studio snapshot holds: everything a user can set in the driver, keyed so that
// it can be found again on another bus (devices by serial number, channels by device,
// direction and index within the device), and for the reader's information what the
// driver reports but nobody can set. Texts are UTF-8, as in the file: the driver's ANSI
// texts cross to UTF-8 when a snapshot is made (a byte the code page leaves undefined
// becomes U+FFFD), and a name crosses back only when a restore sends it, through the
// driver layer's name rule (protocol/NameRule.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/DriverState.h"

struct SnapshotDevice {
    std::string serial;
    std::string name;
    SyncMode sync;
    bool operator==(const SnapshotDevice&) const = default;
};

struct SnapshotChannel {
    std::string device;        // the serial number of the device it belongs to
    uint32_t index = 0;        // its place among that device's channels of its direction
    std::string name;
    std::string hardwareName;  // information only
    bool operator==(const SnapshotChannel&) const = default;
};

struct SnapshotBuffers {
    uint32_t stream = 0;   // microseconds
    uint32_t asio = 0;
    uint32_t wdm = 0;
    bool operator==(const SnapshotBuffers&) const = default;
};

// One device's four isochronous plugs as the streams page words them.
struct SnapshotPlugs {
    std::string device;
    std::array<std::string, 4> states;   // audio out, audio in, synch out, synch in
    bool operator==(const SnapshotPlugs&) const = default;
};

// Saved for whoever reads the file; a restore never looks at it.
struct SnapshotInformation {
    std::string savedAt;            // UTC, ISO 8601
    std::string computer;
    std::string interfaceVersion;   // "2.14"
    std::string driverVersion;      // "1.1.517"
    uint32_t dropOuts = 0;
    std::vector<SnapshotPlugs> plugs;
    bool operator==(const SnapshotInformation&) const = default;
};

struct Snapshot {
    std::vector<SnapshotDevice> devices;   // in ranking order, first first
    std::vector<SnapshotChannel> inputs;
    std::vector<SnapshotChannel> outputs;
    bool asioNamesIncludeDevice = false;
    bool clockMasterIsPc = true;
    // The master device's serial when not the PC; empty when the master was no device
    // the snapshot could name (one missing from the device list, or without a serial).
    std::string clockMaster;
    bool automaticRate = false;            // the clock master defines the sampling rate
    uint32_t sampleRate = 0;               // Hz
    SnapshotBuffers buffers;
    SnapshotInformation information;
    bool operator==(const Snapshot&) const = default;
};

// The format's name and the version this program writes. Version 1 named the PC driver
// as clock master by the word that a serial number could also be; it is still read.
inline constexpr const char* kSnapshotFormat = "tormalin-zemra-1394-studio-snapshot";
inline constexpr uint32_t kSnapshotVersion = 2;
