#include "sim/SimHotPlug.h"

#include <algorithm>

bool RemoveSimDevice(SimBus& bus, uint32_t deviceId)
{
    auto& devices = bus.devices;
    const auto it =
        std::find_if(devices.begin(), devices.end(), [&](const SimDevice& device) { return device.id == deviceId; });
    if (it == devices.end())
        return false;
    devices.erase(it);
    for (auto* list : {&bus.inputs, &bus.outputs})
        std::erase_if(*list, [&](const SimChannel& channel) { return channel.deviceId == deviceId; });
    if (bus.clockSource.masterFlag == 1 && bus.clockSource.masterDeviceId == deviceId)
        bus.clockSource = {bus.clockSource.reserved, 0, 0};
    return true;
}

bool RestoreSimDevice(SimBus& bus, const SimDevice& device, const std::vector<SimChannel>& inputs,
                      const std::vector<SimChannel>& outputs)
{
    for (const SimDevice& present : bus.devices) {
        if (present.id == device.id)
            return false;
    }
    for (const auto* list : {&bus.inputs, &bus.outputs}) {
        for (const SimChannel& channel : *list) {
            const auto same = [&](const SimChannel& own) { return own.id == channel.id; };
            if (std::any_of(inputs.begin(), inputs.end(), same) || std::any_of(outputs.begin(), outputs.end(), same))
                return false;
        }
    }
    SimDevice back = device;
    back.ranking = 0;
    for (const SimDevice& present : bus.devices)
        back.ranking = std::max(back.ranking, present.ranking + 1);
    bus.devices.push_back(back);
    bus.inputs.insert(bus.inputs.end(), inputs.begin(), inputs.end());
    bus.outputs.insert(bus.outputs.end(), outputs.begin(), outputs.end());
    return true;
}
