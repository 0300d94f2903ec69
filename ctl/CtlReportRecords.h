// What ovxctl's reports show, read from the driver once (protocol/DriverReader.h) into
// plain records; the table and the JSON are both printed from the same records, so they
// cannot disagree.
// Texts are the driver's, 8-bit ANSI as it sent them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/DriverRecords.h"
#include "protocol/DriverState.h"
#include "text/StreamingVerdict.h"

// A device with its position in the driver's list, 1 first.
struct CtlDevice {
    uint32_t position = 0;
    uint32_t id = 0;
    uint32_t ranking = 0;
    std::string name;
    std::string serial;
};

struct CtlClockMaster {
    bool pc = true;
    uint32_t deviceId = 0;
    uint32_t position = 0;   // of the first listed device with the master's id; 0 when none is
    std::string name;        // that device's name
};

struct CtlStatusReport {
    _DRIVER_VERSION_INFO version{};
    std::vector<CtlDevice> devices;
    uint32_t sampleRate = 0;
    uint32_t rateMode = 0;
    CtlClockMaster clockMaster;
    StreamingState streaming = StreamingState::NoStreams;
    uint32_t streamDepth = 0;
    uint32_t asioDepth = 0;
    uint32_t wdmDepth = 0;
};

struct CtlDevicesReport {
    std::vector<CtlDevice> devices;
};

struct CtlChannel {
    uint32_t position = 0;
    uint32_t deviceId = 0;
    std::string device;   // empty when no listed device has the channel's device id
    std::string name;
    std::string hardwareName;
};

struct CtlChannelsReport {
    bool output = false;   // chosen before the read
    bool asioNamesIncludeDevice = false;
    std::vector<CtlChannel> channels;
};

// A device and the synchronisation record the driver gave for the same device id.
struct CtlDeviceSync {
    uint32_t position = 0;
    uint32_t id = 0;
    std::string name;
    SyncMode mode;
    std::vector<SyncMode> offered;
};

struct CtlSyncReport {
    CtlClockMaster clockMaster;
    uint32_t rateMode = 0;
    uint32_t sampleRate = 0;
    std::vector<uint32_t> supportedRates;
    std::vector<CtlDeviceSync> devices;
};

struct CtlDeviceStreams {
    uint32_t position = 0;
    uint32_t id = 0;
    std::string name;
    bool read = false;   // whether GetStreamInfo answered; info is all zero otherwise
    _STREAM_INFO info{};
};

struct CtlStreamsReport {
    StreamingState streaming = StreamingState::NoStreams;
    std::vector<CtlDeviceStreams> devices;
};

struct CtlBuffersReport {
    _BUFFER_DEPTH_INFO stream{};
    _BUFFER_DEPTH_INFO asio{};
    _BUFFER_DEPTH_INFO wdm{};
    uint32_t dropOuts = 0;
};
