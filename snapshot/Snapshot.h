// What a studio snapshot holds: everything a user can set in the driver, keyed so that
// it can be found again on another bus (devices by serial number, channels by device,
// direction and index within the device), and for the reader's information what the
// driver reports but nobody can set. Texts are the driver's, 8-bit ANSI; the file
// carries them as UTF-8 (snapshot/SnapshotJson.h).
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
    std::string clockMaster;               // the master device's serial when not the PC
    bool automaticRate = false;            // the clock master defines the sampling rate
    uint32_t sampleRate = 0;               // Hz
    SnapshotBuffers buffers;
    SnapshotInformation information;
    bool operator==(const Snapshot&) const = default;
};

// The format's name and the one version this program writes and reads.
inline constexpr const char* kSnapshotFormat = "tormalin-zemra-1394-studio-snapshot";
inline constexpr uint32_t kSnapshotVersion = 1;
