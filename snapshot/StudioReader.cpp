#include "snapshot/StudioReader.h"

#include <algorithm>
#include <chrono>

#include "driver/RecordText.h"
#include "protocol/DriverReader.h"
#include "text/CodePage.h"
#include "text/StreamText.h"
#include "text/TimeText.h"
#include "text/VersionText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

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
        // Nor can one of a device without a serial number, or with one another shares.
        const std::string_view serial = FieldText(device->serialNumber);
        const auto sharing = std::count_if(devices.begin(), devices.end(),
                                           [&](const auto& d) { return FieldText(d.serialNumber) == serial; });
        if (serial.empty() || sharing > 1)
            continue;
        auto seen = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == channel.deviceId; });
        if (seen == counts.end())
            seen = counts.insert(counts.end(), {channel.deviceId, 0});
        described.push_back({Utf8FromAnsiReplacing(FieldText(device->serialNumber)), seen->second++,
                             Utf8FromAnsiReplacing(FieldText(channel.channelName)),
                             Utf8FromAnsiReplacing(FieldText(channel.hardwareName))});
        records.push_back(record);
    }
    return described;
}

}  // namespace

SyncMode SnapshotModeOf(const _SYNC_MODE_ENTRY& entry)
{
    SyncMode mode = SyncModeOf(entry);
    mode.name = Utf8FromAnsiReplacing(mode.name);
    return mode;
}

void DescribeState(StudioState& state)
{
    Snapshot& s = state.snapshot;
    s.devices.clear();
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = state.devices[i];
        s.devices.push_back({Utf8FromAnsiReplacing(FieldText(device.serialNumber)),
                             Utf8FromAnsiReplacing(FieldText(device.name)),
                             SnapshotModeOf(state.syncModes[i].current)});
    }
    s.inputs = DescribeChannels(state.inputs, state.devices, state.inputRecords);
    s.outputs = DescribeChannels(state.outputs, state.devices, state.outputRecords);
    s.asioNamesIncludeDevice = state.asioNameOption != 0;
    s.clockMasterIsPc = state.clockSource.masterFlag == 0;
    s.clockMaster.clear();
    for (const _OVX_DEVICE_PROPERTIES& device : state.devices) {
        if (!s.clockMasterIsPc && device.deviceId == state.clockSource.masterDeviceId) {
            s.clockMaster = Utf8FromAnsiReplacing(FieldText(device.serialNumber));
            break;
        }
    }
    s.automaticRate = state.rateMode != 0;
    s.sampleRate = state.sampleRates.currentRate;
    s.buffers = {state.streamDepth.stream.current, state.asioDepth.audio.current, state.wdmDepth.audio.current};
}

RequestFailure CStudioReader::Read(StudioState& state, bool withInformation)
{
    state = StudioState{};
    CDriverReader reader(m_drv);
    RequestFailure failure = reader.Settings(state);
    DescribeState(state);
    if (!withInformation)
        return failure;
    failure.Note(reader.Statistics(state));
    failure.Note(reader.Streams(state));
    SnapshotInformation& info = state.snapshot.information;
    info.savedAt = UtcTimeText(std::chrono::system_clock::now());
    info.computer = Utf8FromAnsiReplacing(ComputerName());
    info.interfaceVersion = InterfaceVersionText(state.version);
    info.driverVersion = DriverVersionText(state.version);
    info.dropOuts = state.DropOuts();
    for (size_t i = 0; i < state.devices.size(); ++i) {
        SnapshotPlugs plugs{Utf8FromAnsiReplacing(FieldText(state.devices[i].serialNumber)), {}};
        for (int plug = 0; plug < 4; ++plug)
            plugs.states[static_cast<size_t>(plug)] = FormatPlugState(PlugOf(state.streams[i].info, plug));
        info.plugs.push_back(std::move(plugs));
    }
    return failure;
}
