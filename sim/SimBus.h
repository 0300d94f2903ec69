// The simulated driver's model of a FireWire bus: what a kernel driver would know
// about its devices and settings. Plain data; the simulated driver works on it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "driver/DriverRecords.h"

struct SimSyncMode {
    uint32_t modeCode = 0;
    uint32_t sourceId = 0;
    std::string name;
};

// One isochronous plug of a device. While streaming, a present plug connects,
// or fails to with failCode; otherwise it has nothing to report.
struct SimPlug {
    bool present = true;
    uint32_t failCode = 0;
    int32_t fixedStreamNumber = -1;   // -1: numbered in turn when streaming starts
    uint32_t streamNumber = 0;        // the number of the running stream
};

enum SimPlugIndex { PlugAudioOut, PlugAudioIn, PlugSynchOut, PlugSynchIn, PlugCount };

struct SimDevice {
    uint32_t id = 0;
    uint32_t ranking = 0;
    std::string name;
    std::string serialNumber;
    SimSyncMode currentSync;
    std::vector<SimSyncMode> offeredSync;
    std::array<SimPlug, PlugCount> plugs{};
};

struct SimChannel {
    uint32_t id = 0;
    uint32_t deviceId = 0;
    std::string hardwareName;
    std::string name;
};

// A buffer depth in microseconds with the range the driver accepts.
struct SimDepth {
    uint32_t minimum = 0;
    uint32_t step = 0;
    uint32_t current = 0;
    uint32_t maximum = 0;
    uint32_t reserved = 0;   // the stream layout's uninterpreted word
};

struct SimBus {
    _DRIVER_VERSION_INFO version{2, 14, 1, 1, 0, 0};
    bool driverPresent = true;         // false: the control device cannot be opened
    std::vector<SimDevice> devices;    // in plug order; the device list sorts by ranking
    std::vector<SimChannel> inputs;
    std::vector<SimChannel> outputs;
    uint32_t asioNameOption = 0;
    _CLOCK_SOURCE_INFO clockSource{0, 0, 0};
    uint32_t rateMode = 0;
    uint32_t currentRate = 48000;
    std::vector<uint32_t> supportedRates;
    SimDepth streamDepth;
    SimDepth asioDepth;
    SimDepth wdmDepth;
    uint32_t asioDropouts = 0;
    bool streaming = true;
    bool wdmDeviceInUse = false;       // SetSampleRate is refused while set
    uint32_t nextStreamNumber = 0;
    // Ids below these have been given out: an unplugged device keeps its ids for when
    // it comes back, so a new device never takes them.
    uint32_t nextDeviceId = 0;
    uint32_t nextChannelId = 0;
};

// A small studio: three devices with channels, sync modes and rates of our own.
SimBus DefaultBus();

// A bus with no devices at all.
SimBus EmptyBus();

// A device as the default bus builds them, with `inputs` and `outputs` channels appended
// to the bus; returns the new device's id.
uint32_t AddStandardDevice(SimBus& bus, const std::string& name, const std::string& serial,
                           uint32_t inputs, uint32_t outputs);
