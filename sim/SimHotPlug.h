// Devices leaving and coming back to a bus description, as a bus reset finds them. The
// simulated driver calls these under its lock and adds the events and streams.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/SimBus.h"

// Takes the device and its channels off the bus; without its master device the bus
// falls back to the PC's clock. False if no device has that id.
bool RemoveSimDevice(SimBus& bus, uint32_t deviceId);

// Puts a device back with its ids, names and channels as they were, ranked last; false
// if one of its ids is on the bus meanwhile.
bool RestoreSimDevice(SimBus& bus, const SimDevice& device, const std::vector<SimChannel>& inputs,
                      const std::vector<SimChannel>& outputs);
