#include "report/SupportReportJson.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "driver/RecordText.h"
#include "history/HistoryText.h"
#include "report/ShownText.h"
#include "snapshot/SnapshotJson.h"
#include "text/CodePage.h"
#include "text/StreamText.h"
#include "text/StreamingVerdict.h"
#include "text/TimeText.h"
#include "text/VersionText.h"

namespace {

// Keeps the fields in the order they are added, as the README lists them.
using Json = nlohmann::ordered_json;

const char* const kPlugKeys[4] = {"audioOut", "audioIn", "synchOut", "synchIn"};

// A driver's text as it is held: JSON's own escapes keep its controls harmless.
template <size_t N>
std::string Text(const char (&field)[N])
{
    return Utf8FromAnsiReplacing(FieldText(field));
}

Json FailureJson(const RequestFailure& failure)
{
    return {{"request", failure.RequestName()}, {"code", failure.code}, {"text", ShownResult(failure.code)}};
}

Json ReadJson(const SupportFacts& facts)
{
    Json read = {{"complete", facts.DriverOpen() && facts.reads.First().Ok()}};
    if (!facts.DriverOpen())
        read["opening"] = {{"code", facts.opening}, {"text", ShownResult(facts.opening)}};
    Json failures = Json::array();
    for (const RequestFailure* part : facts.reads.Parts()) {
        if (!part->Ok())
            failures.push_back(FailureJson(*part));
    }
    read["failures"] = failures;
    return read;
}

Json ModeJson(const _SYNC_MODE_ENTRY& mode)
{
    return {{"code", mode.modeCode}, {"source", mode.sourceId}, {"name", Text(mode.name)}};
}

Json DevicesJson(const DriverState& state)
{
    Json devices = Json::array();
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = state.devices[i];
        Json entry = {{"position", i + 1}, {"id", device.deviceId}, {"name", Text(device.name)},
                      {"serial", Text(device.serialNumber)}, {"ranking", device.ranking}};
        if (i < state.syncModes.size()) {
            const _DEVICE_SYNC_MODE_INFO& sync = state.syncModes[i];
            Json offered = Json::array();
            for (uint32_t m = 0; m < std::min(sync.offeredCount, kMaxSyncModes); ++m)
                offered.push_back(ModeJson(sync.offered[m]));
            entry["sync"] = ModeJson(sync.current);
            entry["offered"] = offered;
        }
        devices.push_back(entry);
    }
    return devices;
}

Json ChannelsJson(const std::vector<_OVX_CHANNEL_PROPERTIES>& channels)
{
    Json array = Json::array();
    for (size_t c = 0; c < channels.size(); ++c) {
        array.push_back({{"position", c + 1}, {"deviceId", channels[c].deviceId},
                         {"name", Text(channels[c].channelName)}, {"hardwareName", Text(channels[c].hardwareName)}});
    }
    return array;
}

// A value of a part of the driver, or null when the part was not read.
Json IfRead(const SupportFacts& facts, const RequestFailure& part, Json value)
{
    return facts.Read(part) ? std::move(value) : Json(nullptr);
}

Json ClockJson(const SupportFacts& facts)
{
    const DriverState& state = facts.driver;
    const SupportReads& reads = facts.reads;
    Json master = {{"kind", kSnapshotPcClockMaster}};
    if (state.clockSource.masterFlag != 0) {
        master = {{"kind", "device"}, {"deviceId", state.clockSource.masterDeviceId}};
        if (const int index = state.DeviceIndex(state.clockSource.masterDeviceId); index >= 0)
            master["position"] = index + 1;
    }
    return {{"master", IfRead(facts, reads.clockSource, master)},
            {"rateMode", IfRead(facts, reads.rateMode, state.rateMode ? "automatic" : "manual")},
            {"sampleRate", IfRead(facts, reads.sampleRates, state.sampleRates.currentRate)},
            {"offeredRates", IfRead(facts, reads.sampleRates, state.OfferedRates())}};
}

Json PlugsJson(const DriverState& state)
{
    Json devices = Json::array();
    for (size_t i = 0; i < state.streams.size() && i < state.devices.size(); ++i) {
        const DeviceStreams& streams = state.streams[i];
        Json plugs = Json::array();
        for (int p = 0; p < 4 && streams.read; ++p) {
            const _PLUG_STATUS& plug = PlugOf(streams.info, p);
            plugs.push_back({{"plug", kPlugKeys[p]}, {"state", plug.state}, {"text", FormatPlugState(plug)},
                             {"stream", plug.streamNumber}, {"error", plug.error},
                             {"failure", plug.state == PlugState_ConnectFailed ? FormatStreamError(plug.error) : ""}});
        }
        devices.push_back({{"position", i + 1}, {"id", state.devices[i].deviceId}, {"read", streams.read},
                           {"plugs", plugs}});
    }
    return devices;
}

Json AudioDepthJson(const _BUFFER_DEPTH_INFO& depth)
{
    return {{"current", depth.audio.current}, {"minimum", depth.audio.minimum}, {"step", depth.audio.step},
            {"samples", depth.audio.samples}};
}

Json BuffersJson(const SupportFacts& facts)
{
    const DriverState& state = facts.driver;
    const SupportReads& reads = facts.reads;
    const _STREAM_DEPTH_LAYOUT& stream = state.streamDepth.stream;
    return {{"stream", IfRead(facts, reads.streamDepth,
                              {{"current", stream.current}, {"minimum", stream.minimum}, {"step", stream.step}})},
            {"asio", IfRead(facts, reads.asioDepth, AudioDepthJson(state.asioDepth))},
            {"wdm", IfRead(facts, reads.wdmDepth, AudioDepthJson(state.wdmDepth))},
            {"dropOuts", IfRead(facts, reads.statistics, state.DropOuts())}};
}

Json FailedRequestsJson(const std::vector<FailedRequest>& failed)
{
    Json array = Json::array();
    for (const FailedRequest& entry : failed) {
        Json json = FailureJson(entry.failure);
        json["when"] = UtcTimeText(entry.when);
        json["times"] = entry.times;
        array.push_back(json);
    }
    return array;
}

Json HistoryJson(const std::optional<SupportHistory>& history)
{
    if (!history)
        return nullptr;
    const HistoryTexts texts = DefaultHistoryTexts();
    Json entries = Json::array();
    for (const HistoryEntry& entry : history->entries) {
        entries.push_back({{"when", UtcTimeText(entry.when)},
                           {"kind", HistoryKindName(entry.kind)},
                           {"text", Utf8FromAnsiReplacing(HistoryEventText(entry, texts))},
                           {"device", Utf8FromAnsiReplacing(entry.device)},
                           {"serial", Utf8FromAnsiReplacing(entry.serial)},
                           {"byPanel", entry.byPanel}});
    }
    return {{"dropped", history->dropped}, {"entries", entries}};
}

}  // namespace

std::string WriteSupportReportJson(const SupportFacts& facts)
{
    const DriverState& state = facts.driver;
    Json json = {{"format", kSupportReportFormat},
                 {"version", kSupportReportVersion},
                 {"writtenBy", facts.writtenBy},
                 {"writtenAt", UtcTimeText(facts.writtenAt)},
                 {"read", ReadJson(facts)},
                 {"versions",
                  {{"panel", facts.programVersion},
                   {"ovxctl", facts.programVersion},
                   {"driverInterface", IfRead(facts, facts.reads.version, InterfaceVersionText(state.version))},
                   {"driver", IfRead(facts, facts.reads.version, DriverVersionText(state.version))}}},
                 {"windows", facts.operatingSystem},
                 {"devices", DevicesJson(state)},
                 {"channels", {{"in", ChannelsJson(state.inputs)}, {"out", ChannelsJson(state.outputs)}}},
                 {"clock", ClockJson(facts)},
                 {"plugs", PlugsJson(state)},
                 {"streaming", IfRead(facts, facts.reads.streams, StreamingStateText(state.Streaming()))},
                 {"buffers", BuffersJson(facts)},
                 {"failedRequests", FailedRequestsJson(facts.failedRequests)},
                 {"history", HistoryJson(facts.history)}};
    if (facts.names)
        json["names"] = {{"computer", facts.names->computer}, {"user", facts.names->user}};
    // The texts are valid UTF-8 by conversion; should one not be, it is replaced, not thrown.
    return json.dump(2, ' ', true, Json::error_handler_t::replace) + "\n";
}
