#include "simapp/SimBusView.h"

#include <algorithm>

#include "text/VersionText.h"

namespace {

std::string PlugText(const SimPlug& plug, bool streaming)
{
    if (!plug.present)
        return "-";
    if (plug.failCode != 0)
        return "fail";
    return streaming ? std::to_string(plug.streamNumber) : "idle";
}

SimDeviceRow RowOf(const SimRosterEntry& entry, bool streaming)
{
    std::string plugs;
    for (const SimPlug& plug : entry.device.plugs)
        plugs += (plugs.empty() ? "" : " / ") + PlugText(plug, streaming && entry.plugged);
    return {entry.plugged ? "plugged in" : "unplugged",
            entry.device.name,
            entry.device.serialNumber,
            std::to_string(entry.inputs.size()),
            std::to_string(entry.outputs.size()),
            plugs,
            entry.device.currentSync.name};
}

SimClockChoice ClockOf(const SimBus& bus, const std::vector<SimRosterEntry>& roster)
{
    SimClockChoice clock{{"The PC"}, {}, 0};
    for (size_t i = 0; i < roster.size(); ++i) {
        clock.masters.push_back(std::to_string(i + 1) + " " + roster[i].device.name);
        clock.deviceIds.push_back(roster[i].id);
        if (bus.clockSource.masterFlag == 1 && roster[i].id == bus.clockSource.masterDeviceId)
            clock.current = static_cast<int>(i + 1);
    }
    return clock;
}

std::string Summary(const SimBus& bus, const std::vector<SimRosterEntry>& roster)
{
    std::string master = "the PC";
    for (const SimRosterEntry& entry : roster) {
        if (bus.clockSource.masterFlag == 1 && entry.plugged && entry.id == bus.clockSource.masterDeviceId)
            master = entry.device.name;
    }
    std::string rates;
    for (uint32_t rate : bus.supportedRates)
        rates += (rates.empty() ? "" : ", ") + std::to_string(rate);
    return std::string("Driver ") + (bus.driverPresent ? "loaded" : "unloaded") + ", interface version " +
           InterfaceVersionText(bus.version) + ". Rate " + std::to_string(bus.currentRate) + " Hz of " + (rates.empty() ? "none" : rates) +
           "; rate mode " + std::to_string(bus.rateMode) + ". Clock master " + master + ".\nStreaming " +
           (bus.streaming ? "on" : "off") + (bus.wdmDeviceInUse ? ", WDM in use" : "") + ", " +
           std::to_string(bus.asioDropouts) + " drop outs. Buffers (min step current max, us): stream " +
           SimDepthText(bus.streamDepth) + "; ASIO " + SimDepthText(bus.asioDepth) + "; WDM " +
           SimDepthText(bus.wdmDepth) + ".";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t begin = 0; begin <= text.size();) {
        const size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

}  // namespace

SimBusView ViewOfBus(const SimBus& bus, const std::vector<SimRosterEntry>& roster, const std::string& faults)
{
    SimBusView view;
    for (const SimRosterEntry& entry : roster)
        view.devices.push_back(RowOf(entry, bus.streaming));
    view.summary = Summary(bus, roster);
    view.streaming = bus.streaming;
    view.wdmInUse = bus.wdmDeviceInUse;
    view.clock = ClockOf(bus, roster);
    if (faults != "no faults")
        view.faults = Lines(faults);
    return view;
}

std::string SimDepthText(const SimDepth& depth)
{
    return std::to_string(depth.minimum) + " " + std::to_string(depth.step) + " " + std::to_string(depth.current) +
           " " + std::to_string(depth.maximum);
}
