#include "ctl/CtlTablePrinter.h"

#include <cstdio>

#include "ctl/TextTable.h"
#include "driver/BufferLimits.h"
#include "res/StreamTexts.h"
#include "text/ControlText.h"
#include "text/StreamText.h"
#include "text/VersionText.h"

namespace {

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

const char* RateModeText(uint32_t mode) { return mode ? "automatic" : "manual"; }

std::string ClockMasterText(const CtlClockMaster& master)
{
    if (master.pc)
        return "PC driver";
    if (master.position != 0)
        return std::to_string(master.position) + " " + EscapeControlCharacters(master.name);
    return "device " + Hex(master.deviceId) + " (not connected)";
}

std::string SyncModeText(const SyncMode& mode)
{
    return mode.name + " (mode " + std::to_string(mode.code) + ", source " + Hex(mode.source) + ")";
}

std::string OfferedText(const std::vector<SyncMode>& offered)
{
    std::string text;
    for (size_t m = 0; m < offered.size(); ++m)
        text += (m ? ", " : "") + std::to_string(m + 1) + " " + offered[m].name;
    return text;
}

}  // namespace

void PrintTable(std::ostream& out, const CtlStatusReport& report)
{
    const _DRIVER_VERSION_INFO& version = report.version;
    out << "Driver interface: " << InterfaceVersionText(version) << '\n'
        << "Driver version:   " << DriverVersionText(version) << '\n'
        << "Devices:          " << report.devices.size() << '\n';
    for (const CtlDevice& device : report.devices) {
        out << "  " << device.position << "  " << EscapeControlCharacters(device.name) << "  "
            << EscapeControlCharacters(device.serial) << '\n';
    }
    out << "Sampling rate:    " << report.sampleRate << " Hz (" << RateModeText(report.rateMode) << ")\n"
        << "Clock master:     " << ClockMasterText(report.clockMaster) << '\n'
        << "Streaming:        " << StreamingStateText(report.streaming) << '\n'
        << "Stream buffer:    " << report.streamDepth << " us\n"
        << "ASIO buffer:      " << report.asioDepth << " us\n"
        << "WDM buffer:       " << report.wdmDepth << " us\n";
}

void PrintTable(std::ostream& out, const CtlDevicesReport& report)
{
    CTextTable table({"#", "Name", "Serial number", "Id", "Ranking"});
    for (const CtlDevice& device : report.devices) {
        table.AddRow({std::to_string(device.position), device.name, device.serial, Hex(device.id),
                      std::to_string(device.ranking)});
    }
    table.Print(out);
}

void PrintTable(std::ostream& out, const CtlChannelsReport& report)
{
    CTextTable table({"#", "Device", "Channel name", "Hardware name"});
    for (const CtlChannel& channel : report.channels)
        table.AddRow({std::to_string(channel.position), channel.device, channel.name, channel.hardwareName});
    table.Print(out);
    out << "ASIO display names include the device name: " << (report.asioNamesIncludeDevice ? "on" : "off") << '\n';
}

void PrintTable(std::ostream& out, const CtlSyncReport& report)
{
    std::string rates;
    for (const uint32_t rate : report.supportedRates)
        rates += (rates.empty() ? "" : " ") + std::to_string(rate);
    out << "Clock master:    " << ClockMasterText(report.clockMaster) << '\n'
        << "Rate mode:       " << RateModeText(report.rateMode) << '\n'
        << "Sampling rate:   " << report.sampleRate << " Hz\n"
        << "Supported rates: " << rates << "\n\n";
    CTextTable table({"#", "Device", "Synchronisation", "Offered modes"});
    for (const CtlDeviceSync& device : report.devices) {
        table.AddRow({std::to_string(device.position), device.name, SyncModeText(device.mode),
                      OfferedText(device.offered)});
    }
    table.Print(out);
}

void PrintTable(std::ostream& out, const CtlStreamsReport& report)
{
    CTextTable table({"#", "Device", TXT_COL_AUDIO_OUT_PLUG, TXT_COL_AUDIO_IN_PLUG, TXT_COL_SYNCH_OUT_PLUG,
                      TXT_COL_SYNCH_IN_PLUG});
    for (const CtlDeviceStreams& device : report.devices) {
        std::vector<std::string> row = {std::to_string(device.position), device.name};
        for (int p = 0; p < 4; ++p)
            row.push_back(device.read ? FormatPlugState(PlugOf(device.info, p)) : "");
        table.AddRow(std::move(row));
    }
    table.Print(out);
    for (const CtlDeviceStreams& device : report.devices) {
        for (int p = 0; p < 4 && device.read; ++p) {
            const _PLUG_STATUS& plug = PlugOf(device.info, p);
            if (plug.state == PlugState_ConnectFailed)
                out << device.position << " " << kPlugLabels[p] << ": " << FormatStreamError(plug.error) << '\n';
        }
    }
    out << "Streaming: " << StreamingStateText(report.streaming) << '\n';
}

void PrintTable(std::ostream& out, const CtlBuffersReport& report)
{
    CTextTable table({"Buffer", "Depth (us)", "Minimum", "Step", "Maximum", "Samples"});
    const _STREAM_DEPTH_LAYOUT& s = report.stream.stream;
    table.AddRow({"stream", std::to_string(s.current), std::to_string(s.minimum), std::to_string(s.step),
                  std::to_string(kStreamDepthLimit), ""});
    for (const auto& [name, depth] : {std::pair{"asio", &report.asio}, std::pair{"wdm", &report.wdm}}) {
        const _AUDIO_DEPTH_LAYOUT& a = depth->audio;
        table.AddRow({name, std::to_string(a.current), std::to_string(a.minimum), std::to_string(a.step),
                      std::to_string(kAudioDepthLimit), std::to_string(a.samples)});
    }
    table.Print(out);
    out << "ASIO drop outs: " << report.dropOuts << '\n';
}
