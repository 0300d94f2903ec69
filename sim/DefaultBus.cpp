#include "sim/SimBus.h"

#include <algorithm>

namespace {

constexpr uint32_t kFirstDeviceId = 0x00A1B200;
constexpr uint32_t kFirstChannelId = 0x00C40000;

uint32_t NextDeviceId(const SimBus& bus)
{
    uint32_t id = std::max(kFirstDeviceId, bus.nextDeviceId);
    for (const SimDevice& device : bus.devices) {
        if (device.id >= id)
            id = device.id + 1;
    }
    return id;
}

// One pass over the bus per device: the channels of a device are numbered on from it.
uint32_t NextChannelId(const SimBus& bus)
{
    uint32_t id = std::max(kFirstChannelId, bus.nextChannelId);
    for (const auto* list : {&bus.inputs, &bus.outputs}) {
        for (const SimChannel& channel : *list) {
            if (channel.id >= id)
                id = channel.id + 1;
        }
    }
    return id;
}

std::vector<SimSyncMode> StandardSyncModes(uint32_t deviceId)
{
    const uint32_t base = (deviceId & 0xFF) << 8;
    return {
        {6, base | 1, "Internal"},
        {2, base | 2, "Bus"},
        {4, base | 3, "S/PDIF coaxial"},
        {4, base | 4, "ADAT optical"},
        {5, base | 5, "Word clock BNC"},
    };
}

}  // namespace

uint32_t AddStandardDevice(SimBus& bus, const std::string& name, const std::string& serial,
                           uint32_t inputs, uint32_t outputs)
{
    SimDevice device;
    device.id = NextDeviceId(bus);
    device.ranking = static_cast<uint32_t>(bus.devices.size());
    device.name = name;
    device.serialNumber = serial;
    device.offeredSync = StandardSyncModes(device.id);
    device.currentSync = device.offeredSync[1];
    bus.devices.push_back(device);
    bus.nextDeviceId = device.id + 1;

    uint32_t channelId = NextChannelId(bus);
    for (uint32_t i = 0; i < inputs; ++i) {
        const std::string hardware = "In " + std::to_string(i + 1);
        bus.inputs.push_back({channelId++, device.id, hardware, hardware});
    }
    for (uint32_t i = 0; i < outputs; ++i) {
        const std::string hardware = "Out " + std::to_string(i + 1);
        bus.outputs.push_back({channelId++, device.id, hardware, hardware});
    }
    bus.nextChannelId = channelId;
    return device.id;
}

SimBus EmptyBus()
{
    SimBus bus;
    bus.version = {2, 14, 1, 1, 517, 0};
    bus.supportedRates = {44100, 48000, 88200, 96000, 176400, 192000};
    bus.currentRate = 48000;
    bus.rateMode = 1;
    bus.streamDepth = {125, 125, 1000, 10000, 0};
    bus.asioDepth = {1000, 1000, 5000, 40000, 0};
    bus.wdmDepth = {2000, 1000, 10000, 40000, 0};
    bus.streaming = false;
    return bus;
}

SimBus DefaultBus()
{
    SimBus bus = EmptyBus();
    const uint32_t stage = AddStandardDevice(bus, "Zemra Stage 8", "ZS8-0041-17", 8, 8);
    AddStandardDevice(bus, "Zemra Desk 4", "ZD4-0019-82", 4, 4);
    AddStandardDevice(bus, "Zemra Rack 16", "ZR16-0007-03", 16, 16);

    // The first device is the clock master and runs from its own clock.
    bus.clockSource = {0, 1, stage};
    bus.devices[0].currentSync = bus.devices[0].offeredSync[0];
    bus.streaming = true;
    return bus;
}
