#include "snapshot/StudioReader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "driver/RecordText.h"
#include "text/StreamText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

StudioReadResult Failed(const char* request, DrvResult code) { return {code, request}; }

std::string ComputerName()
{
#ifdef _WIN32
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return ::GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
#else
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
#endif
}

std::string UtcNow()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// The index of each channel among its device's channels of the same direction.
std::vector<SnapshotChannel> DescribeChannels(const std::vector<_OVX_CHANNEL_PROPERTIES>& channels,
                                              const std::vector<_OVX_DEVICE_PROPERTIES>& devices,
                                              std::vector<size_t>& records)
{
    std::vector<SnapshotChannel> described;
    std::vector<std::pair<uint32_t, uint32_t>> counts;   // device id, channels seen
    records.clear();
    for (size_t record = 0; record < channels.size(); ++record) {
        const _OVX_CHANNEL_PROPERTIES& channel = channels[record];
        auto device = std::find_if(devices.begin(), devices.end(),
                                   [&](const auto& d) { return d.deviceId == channel.deviceId; });
        if (device == devices.end())
            continue;   // a channel of no listed device cannot be found again by serial
        auto seen = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == channel.deviceId; });
        if (seen == counts.end())
            seen = counts.insert(counts.end(), {channel.deviceId, 0});
        described.push_back({std::string(FieldText(device->serialNumber)), seen->second++,
                             std::string(FieldText(channel.channelName)),
                             std::string(FieldText(channel.hardwareName))});
        records.push_back(record);
    }
    return described;
}

SnapshotSyncMode DescribeMode(const _SYNC_MODE_ENTRY& entry)
{
    return {entry.modeCode, entry.sourceId, std::string(FieldText(entry.name))};
}

}  // namespace

void DescribeState(StudioState& state)
{
    Snapshot& s = state.snapshot;
    s.devices.clear();
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = state.devices[i];
        s.devices.push_back({std::string(FieldText(device.serialNumber)), std::string(FieldText(device.name)),
                             DescribeMode(state.syncModes[i].current)});
    }
    s.inputs = DescribeChannels(state.inputs, state.devices, state.inputRecords);
    s.outputs = DescribeChannels(state.outputs, state.devices, state.outputRecords);
    s.asioNamesIncludeDevice = state.asioNameOption != 0;
    s.clockMasterIsPc = state.clockSource.masterFlag == 0;
    s.clockMaster.clear();
    for (const _OVX_DEVICE_PROPERTIES& device : state.devices) {
        if (!s.clockMasterIsPc && device.deviceId == state.clockSource.masterDeviceId) {
            s.clockMaster = FieldText(device.serialNumber);
            break;
        }
    }
    s.automaticRate = state.rateMode != 0;
    s.sampleRate = state.sampleRates.currentRate;
    s.buffers = {state.streamDepth.stream.current, state.asioDepth.audio.current, state.wdmDepth.audio.current};
}

StudioReadResult CStudioReader::Read(StudioState& state, bool withInformation)
{
    state = StudioState{};
    if (const DrvResult code = m_drv.GetDriverVersion(&state.version))
        return Failed("GetDriverVersion", code);
    for (auto step : {&CStudioReader::ReadDevices, &CStudioReader::ReadChannels, &CStudioReader::ReadSettings}) {
        if (StudioReadResult result = (this->*step)(state); !result.Ok())
            return result;
    }
    DescribeState(state);
    return withInformation ? ReadInformation(state) : StudioReadResult{};
}

StudioReadResult CStudioReader::ReadDevices(StudioState& state)
{
    _DEVICE_ID_LIST list{};
    if (const DrvResult code = m_drv.GetDeviceList(&list))
        return Failed("GetDeviceList", code);
    const uint32_t count = std::min(list.count, kMaxDevices);
    state.devices.resize(count);
    state.syncModes.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        if (const DrvResult code = m_drv.GetDeviceProperties(&list.ids[i], &state.devices[i]))
            return Failed("GetDeviceProperties", code);
        if (const DrvResult code = m_drv.GetDeviceSyncMode(&list.ids[i], &state.syncModes[i]))
            return Failed("GetDeviceSyncMode", code);
    }
    return {};
}

StudioReadResult CStudioReader::ReadChannels(StudioState& state)
{
    _CHANNEL_ID_LISTS lists{};
    if (const DrvResult code = m_drv.GetChannelLists(&lists))
        return Failed("GetChannelLists", code);
    for (const auto& [list, channels] : {std::pair{&lists.input, &state.inputs}, {&lists.output, &state.outputs}}) {
        channels->resize(std::min(list->count, kMaxChannels));
        for (size_t i = 0; i < channels->size(); ++i) {
            if (const DrvResult code = m_drv.GetChannelProperties(&list->ids[i], &(*channels)[i]))
                return Failed("GetChannelProperties", code);
        }
    }
    return {};
}

StudioReadResult CStudioReader::ReadSettings(StudioState& state)
{
    if (const DrvResult code = m_drv.GetAsioNameOption(&state.asioNameOption))
        return Failed("GetAsioNameOption", code);
    if (const DrvResult code = m_drv.GetClockSource(&state.clockSource))
        return Failed("GetClockSource", code);
    if (const DrvResult code = m_drv.GetRateMode(&state.rateMode))
        return Failed("GetRateMode", code);
    if (const DrvResult code = m_drv.GetSampleRates(&state.sampleRates))
        return Failed("GetSampleRates", code);
    if (const DrvResult code = m_drv.GetStreamBufferDepth(&state.streamDepth))
        return Failed("GetStreamBufferDepth", code);
    if (const DrvResult code = m_drv.GetAsioBufferDepth(&state.asioDepth))
        return Failed("GetAsioBufferDepth", code);
    if (const DrvResult code = m_drv.GetWdmBufferDepth(&state.wdmDepth))
        return Failed("GetWdmBufferDepth", code);
    return {};
}

StudioReadResult CStudioReader::ReadInformation(StudioState& state)
{
    SnapshotInformation& info = state.snapshot.information;
    info.savedAt = UtcNow();
    info.computer = ComputerName();
    char version[48];
    std::snprintf(version, sizeof version, "%u.%u", state.version.interfaceMajor, state.version.interfaceMinor);
    info.interfaceVersion = version;
    std::snprintf(version, sizeof version, "%u.%u.%u", state.version.driverMajor, state.version.driverMinor,
                  state.version.driverBuild);
    info.driverVersion = version;
    _ASIO_STATISTICS statistics{};
    if (const DrvResult code = m_drv.GetAsioStatistics(&statistics))
        return Failed("GetAsioStatistics", code);
    info.dropOuts = statistics.words[kAsioDropOutWord];
    for (_OVX_DEVICE_PROPERTIES& device : state.devices) {
        _STREAM_INFO streams{};
        if (const DrvResult code = m_drv.GetStreamInfo(&device.deviceId, &streams))
            return Failed("GetStreamInfo", code);
        SnapshotPlugs plugs{std::string(FieldText(device.serialNumber)), {}};
        for (int plug = 0; plug < 4; ++plug)
            plugs.states[static_cast<size_t>(plug)] = FormatPlugState(PlugOf(streams, plug));
        info.plugs.push_back(std::move(plugs));
    }
    return {};
}
