// What the bus window shows of the simulated bus, as plain records: the window redraws
// a part only when its record differs from the one shown, so that a selection and a
// scroll position survive the refresh timer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimConsole.h"

struct SimDeviceRow {
    std::string state;
    std::string name;
    std::string serial;
    std::string inputs;
    std::string outputs;
    std::string plugs;   // "o / i / so / si": a stream number, "idle", "fail" or "-"
    std::string sync;
    bool operator==(const SimDeviceRow&) const = default;
};

struct SimClockChoice {
    std::vector<std::string> masters;   // "The PC", then "N name" for each device by number
    std::vector<uint32_t> deviceIds;    // the devices' ids, in the same order after the PC
    int current = 0;                    // the master's entry
    bool operator==(const SimClockChoice&) const = default;
};

struct SimBusView {
    std::vector<SimDeviceRow> devices;
    std::string summary;   // the driver, the clock, streaming and the buffers in words
    bool streaming = false;
    bool wdmInUse = false;
    SimClockChoice clock;
    std::vector<std::string> faults;   // one statement each, as "faults" lists them
    bool operator==(const SimBusView&) const = default;
};

// `faults` is the answer of the "faults" statement.
SimBusView ViewOfBus(const SimBus& bus, const std::vector<SimRosterEntry>& roster, const std::string& faults);

// The buffer settings as the window's statements take them: "MIN STEP CURRENT MAX".
std::string SimDepthText(const SimDepth& depth);
