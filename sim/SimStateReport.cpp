#include "sim/SimStateReport.h"

#include <nlohmann/json.hpp>

#include "driver/ControlCodes.h"
#include "driver/RecordText.h"
#include "sim/SimAnswers.h"
#include "sim/SimDriver.h"

namespace {

using nlohmann::json;

// Reading changes nothing that an event would report.
class CNoEvents final : public ISimEventSink {
public:
    void QueueEvent(uint32_t) override {}
};

template <size_t N>
std::string Text(const char (&field)[N])
{
    return std::string(FieldText(field));
}

json SyncEntry(const _SYNC_MODE_ENTRY& entry)
{
    return {{"mode", entry.modeCode}, {"source", entry.sourceId}, {"name", Text(entry.name)}};
}

class CReporter {
public:
    explicit CReporter(SimBus bus) : m_bus(std::move(bus)) {}

    template <typename Record>
    bool Read(uint32_t code, Record& record, uint32_t input = 0)
    {
        record = Record{};
        return m_answers.Answer(code, &input, &record) == 0;
    }

    json Device(uint32_t id)
    {
        namespace Io = OvxIoctl;
        _OVX_DEVICE_PROPERTIES properties{};
        if (!Read(Io::GetDeviceProperties, properties, id))
            return nullptr;
        json device = {{"id", id}, {"ranking", properties.ranking}, {"name", Text(properties.name)},
                       {"serial", Text(properties.serialNumber)}};
        _DEVICE_SYNC_MODE_INFO sync{};
        if (Read(Io::GetDeviceSyncMode, sync, id)) {
            json offered = json::array();
            for (uint32_t i = 0; i < sync.offeredCount && i < kMaxSyncModes; ++i)
                offered.push_back(SyncEntry(sync.offered[i]));
            device["sync"] = SyncEntry(sync.current);
            device["offered"] = offered;
        }
        _STREAM_INFO streams{};
        if (Read(Io::GetStreamInfo, streams, id)) {
            device["plugs"] = json::array();
            for (const _PLUG_STATUS* plug : {&streams.audioOut, &streams.audioIn, &streams.synchOut, &streams.synchIn})
                device["plugs"].push_back({{"state", plug->state}, {"stream", plug->streamNumber}, {"error", plug->error}});
        }
        return device;
    }

    json Channels(const _CHANNEL_ID_LIST& list)
    {
        json channels = json::array();
        for (uint32_t i = 0; i < list.count && i < kMaxChannels; ++i) {
            _OVX_CHANNEL_PROPERTIES properties{};
            if (Read(OvxIoctl::GetChannelProperties, properties, list.ids[i]))
                channels.push_back({{"id", list.ids[i]}, {"deviceId", properties.deviceId},
                                    {"hardwareName", Text(properties.hardwareName)},
                                    {"name", Text(properties.channelName)}});
        }
        return channels;
    }

    json Depth(uint32_t code, bool stream)
    {
        _BUFFER_DEPTH_INFO depth{};
        if (!Read(code, depth))
            return nullptr;
        if (stream)
            return {{"minimum", depth.stream.minimum}, {"step", depth.stream.step}, {"current", depth.stream.current}};
        return {{"minimum", depth.audio.minimum}, {"step", depth.audio.step}, {"current", depth.audio.current},
                {"samples", depth.audio.samples}};
    }

    json Report();

private:
    SimBus m_bus;
    CNoEvents m_events;
    CSimAnswers m_answers{m_bus, m_events};
};

json CReporter::Report()
{
    namespace Io = OvxIoctl;
    json report = {{"driver", m_bus.driverPresent}, {"streaming", m_bus.streaming}, {"wdmInUse", m_bus.wdmDeviceInUse}};
    _DEVICE_ID_LIST devices{};
    report["devices"] = json::array();
    if (Read(Io::GetDeviceList, devices)) {
        for (uint32_t i = 0; i < devices.count && i < kMaxDevices; ++i)
            report["devices"].push_back(Device(devices.ids[i]));
    }
    _CHANNEL_ID_LISTS channels{};
    const bool listed = Read(Io::GetChannelLists, channels);
    report["inputs"] = listed ? Channels(channels.input) : json::array();
    report["outputs"] = listed ? Channels(channels.output) : json::array();
    uint32_t option = 0;
    report["asioNameOption"] = Read(Io::GetAsioNameOption, option) ? json(option) : json(nullptr);
    _CLOCK_SOURCE_INFO clock{};
    if (Read(Io::GetClockSource, clock))
        report["clock"] = {{"masterFlag", clock.masterFlag}, {"masterId", clock.masterDeviceId}};
    _RATE_MODE_INFO mode{};
    if (Read(Io::GetRateMode, mode))
        report["rateMode"] = mode.mode;
    _SAMPLE_RATE_INFO rates{};
    if (Read(Io::GetSampleRates, rates)) {
        report["rate"] = rates.currentRate;
        report["rates"] = json::array();
        for (uint32_t i = 0; i < rates.rateCount && i < kMaxSampleRates; ++i)
            report["rates"].push_back(rates.rates[i]);
    }
    report["buffers"] = {{"stream", Depth(Io::GetStreamBufferDepth, true)},
                         {"asio", Depth(Io::GetAsioBufferDepth, false)},
                         {"wdm", Depth(Io::GetWdmBufferDepth, false)}};
    _ASIO_STATISTICS statistics{};
    if (Read(Io::GetAsioStatistics, statistics))
        report["dropouts"] = statistics.words[kAsioDropOutWord];
    return report;
}

}  // namespace

std::string SimStateReport(const SimBus& bus, const SimConnectionCounts& connections)
{
    json report = CReporter(bus).Report();
    report["connections"] = connections.live;
    report["listening"] = connections.listening;
    report["pendingEvents"] = connections.pendingEvents;
    // The driver's texts are ANSI bytes; one that is no UTF-8 is written replaced
    // rather than refused.
    return report.dump(-1, ' ', false, json::error_handler_t::replace);
}
