#include "ctl/CtlJsonPrinter.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "ctl/CtlOutcome.h"
#include "snapshot/SnapshotJson.h"
#include "driver/BufferLimits.h"
#include "text/CodePage.h"
#include "text/StreamText.h"

namespace {

// Keeps the fields in the order they are added, as the schema lists them.
using Json = nlohmann::ordered_json;

const char* const kPlugKeys[4] = {"audioOut", "audioIn", "synchOut", "synchIn"};

// A driver's text; a byte the code page leaves undefined shows as U+FFFD.
std::string Text(const std::string& ansi) { return Utf8FromAnsiReplacing(ansi); }

const char* RateModeText(uint32_t mode) { return mode ? "automatic" : "manual"; }

void Print(std::ostream& out, const Json& json)
{
    // The texts are valid UTF-8 by conversion; should one not be, it is replaced, not thrown.
    out << json.dump(2, ' ', true, Json::error_handler_t::replace) << '\n';
}

Json DevicesJson(const std::vector<CtlDevice>& devices)
{
    Json array = Json::array();
    for (const CtlDevice& device : devices) {
        array.push_back({{"position", device.position}, {"id", device.id}, {"name", Text(device.name)},
                         {"serial", Text(device.serial)}, {"ranking", device.ranking}});
    }
    return array;
}

Json ClockMasterJson(const CtlClockMaster& master)
{
    if (master.pc)
        return {{"kind", kSnapshotPcClockMaster}};
    Json json = {{"kind", "device"}, {"deviceId", master.deviceId}};
    if (master.position != 0)
        json["position"] = master.position;
    return json;
}

Json SyncModeJson(const SyncMode& mode)
{
    return {{"code", mode.code}, {"source", mode.source}, {"name", Text(mode.name)}};
}

Json RatesJson(uint32_t count, const uint32_t (&rates)[kMaxSampleRates])
{
    return Json(std::vector<uint32_t>(rates, rates + std::min(count, kMaxSampleRates)));
}

Json PlugsJson(const CtlDeviceStreams& device)
{
    Json plugs = Json::array();
    for (int p = 0; p < 4 && device.read; ++p) {
        const _PLUG_STATUS& plug = PlugOf(device.info, p);
        plugs.push_back({{"plug", kPlugKeys[p]}, {"state", plug.state}, {"text", FormatPlugState(plug)},
                         {"stream", plug.streamNumber}, {"error", plug.error}, {"errorText", ResultText(plug.error)},
                         {"rate", plug.currentRate}, {"rates", RatesJson(plug.rateCount, plug.rates)}});
    }
    return plugs;
}

Json AudioDepthJson(const _BUFFER_DEPTH_INFO& depth)
{
    return {{"current", depth.audio.current}, {"minimum", depth.audio.minimum}, {"step", depth.audio.step},
            {"maximum", kAudioDepthLimit}, {"samples", depth.audio.samples}};
}

}  // namespace

void PrintJson(std::ostream& out, const CtlStatusReport& report)
{
    const _DRIVER_VERSION_INFO& version = report.version;
    Json json;
    json["driver"] = {{"interfaceMajor", unsigned(version.interfaceMajor)},
                      {"interfaceMinor", unsigned(version.interfaceMinor)},
                      {"major", unsigned(version.driverMajor)},
                      {"minor", unsigned(version.driverMinor)},
                      {"build", version.driverBuild}};
    json["devices"] = DevicesJson(report.devices);
    json["sampleRate"] = report.sampleRate;
    json["rateMode"] = RateModeText(report.rateMode);
    json["clockMaster"] = ClockMasterJson(report.clockMaster);
    json["streaming"] = StreamingStateText(report.streaming);
    json["buffers"] = {{"stream", report.streamDepth}, {"asio", report.asioDepth}, {"wdm", report.wdmDepth}};
    Print(out, json);
}

void PrintJson(std::ostream& out, const CtlDevicesReport& report)
{
    Print(out, {{"devices", DevicesJson(report.devices)}});
}

void PrintJson(std::ostream& out, const CtlChannelsReport& report)
{
    Json channels = Json::array();
    for (const CtlChannel& channel : report.channels) {
        channels.push_back({{"position", channel.position}, {"deviceId", channel.deviceId},
                            {"device", Text(channel.device)}, {"name", Text(channel.name)},
                            {"hardwareName", Text(channel.hardwareName)}});
    }
    Print(out, {{"direction", report.output ? "out" : "in"},
                {"asioNamesIncludeDevice", report.asioNamesIncludeDevice},
                {"channels", channels}});
}

void PrintJson(std::ostream& out, const CtlSyncReport& report)
{
    Json devices = Json::array();
    for (const CtlDeviceSync& device : report.devices) {
        Json offered = Json::array();
        for (const SyncMode& mode : device.offered)
            offered.push_back(SyncModeJson(mode));
        devices.push_back({{"position", device.position}, {"id", device.id}, {"name", Text(device.name)},
                           {"mode", SyncModeJson(device.mode)}, {"offered", offered}});
    }
    Print(out, {{"clockMaster", ClockMasterJson(report.clockMaster)},
                {"rateMode", RateModeText(report.rateMode)},
                {"sampleRate", report.sampleRate},
                {"supportedRates", report.supportedRates},
                {"devices", devices}});
}

void PrintJson(std::ostream& out, const CtlStreamsReport& report)
{
    Json devices = Json::array();
    for (const CtlDeviceStreams& device : report.devices) {
        devices.push_back({{"position", device.position}, {"id", device.id}, {"name", Text(device.name)},
                           {"read", device.read}, {"plugs", PlugsJson(device)}});
    }
    Print(out, {{"streaming", StreamingStateText(report.streaming)}, {"devices", devices}});
}

void PrintJson(std::ostream& out, const CtlBuffersReport& report)
{
    const _STREAM_DEPTH_LAYOUT& stream = report.stream.stream;
    Print(out, {{"stream",
                 {{"current", stream.current}, {"minimum", stream.minimum}, {"step", stream.step},
                  {"maximum", kStreamDepthLimit}}},
                {"asio", AudioDepthJson(report.asio)},
                {"wdm", AudioDepthJson(report.wdm)},
                {"dropOuts", report.dropOuts}});
}
