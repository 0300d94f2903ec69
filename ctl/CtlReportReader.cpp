#include "ctl/CtlReportReader.h"

#include <algorithm>

#include "driver/RecordText.h"
#include "protocol/DriverReader.h"

namespace {

std::vector<CtlDevice> DevicesOf(const DriverState& state)
{
    std::vector<CtlDevice> devices;
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = state.devices[i];
        devices.push_back({static_cast<uint32_t>(i + 1), device.deviceId, device.ranking,
                           std::string(FieldText(device.name)), std::string(FieldText(device.serialNumber))});
    }
    return devices;
}

// The first listed device with the master's id gives its position and name.
CtlClockMaster ClockMasterOf(const DriverState& state)
{
    CtlClockMaster master;
    master.pc = state.clockSource.masterFlag == 0;
    if (master.pc)
        return master;
    master.deviceId = state.clockSource.masterDeviceId;
    if (const int index = state.DeviceIndex(master.deviceId); index >= 0) {
        master.position = static_cast<uint32_t>(index + 1);
        master.name = FieldText(state.devices[static_cast<size_t>(index)].name);
    }
    return master;
}

std::vector<CtlDeviceStreams> StreamsOf(const DriverState& state, const std::vector<CtlDevice>& devices)
{
    std::vector<CtlDeviceStreams> streams;
    for (size_t i = 0; i < devices.size(); ++i)
        streams.push_back({devices[i].position, devices[i].id, devices[i].name, state.streams[i].read,
                           state.streams[i].info});
    return streams;
}

}  // namespace

RequestFailure ReadReport(COvx1394Driver& drv, CtlStatusReport& report)
{
    DriverState state;
    CDriverReader reader(drv);
    RequestFailure failure = reader.Version(state);
    failure.Note(reader.Devices(state));
    failure.Note(reader.ClockSource(state));
    failure.Note(reader.RateMode(state));
    failure.Note(reader.SampleRates(state));
    failure.Note(reader.Streams(state));
    failure.Note(reader.Buffers(state));
    report.version = state.version;
    report.devices = DevicesOf(state);
    report.sampleRate = state.sampleRates.currentRate;
    report.rateMode = state.rateMode;
    report.clockMaster = ClockMasterOf(state);
    report.streaming = state.Streaming();
    report.streamDepth = state.streamDepth.stream.current;
    report.asioDepth = state.asioDepth.audio.current;
    report.wdmDepth = state.wdmDepth.audio.current;
    return failure;
}

RequestFailure ReadReport(COvx1394Driver& drv, CtlDevicesReport& report)
{
    DriverState state;
    const RequestFailure failure = CDriverReader(drv).Devices(state);
    report.devices = DevicesOf(state);
    return failure;
}

RequestFailure ReadReport(COvx1394Driver& drv, CtlChannelsReport& report)
{
    DriverState state;
    CDriverReader reader(drv);
    RequestFailure failure = reader.Devices(state);
    failure.Note(reader.Channels(state, report.output));
    failure.Note(reader.AsioNameOption(state));
    report.asioNamesIncludeDevice = state.asioNameOption != 0;
    const std::vector<_OVX_CHANNEL_PROPERTIES>& channels = report.output ? state.outputs : state.inputs;
    for (size_t i = 0; i < channels.size(); ++i) {
        const _OVX_CHANNEL_PROPERTIES& channel = channels[i];
        const int device = state.DeviceIndex(channel.deviceId);
        report.channels.push_back({static_cast<uint32_t>(i + 1), channel.deviceId,
                                   device >= 0 ? std::string(FieldText(state.devices[static_cast<size_t>(device)].name))
                                               : std::string(),
                                   std::string(FieldText(channel.channelName)),
                                   std::string(FieldText(channel.hardwareName))});
    }
    return failure;
}

RequestFailure ReadReport(COvx1394Driver& drv, CtlSyncReport& report)
{
    DriverState state;
    CDriverReader reader(drv);
    RequestFailure failure = reader.Devices(state);
    failure.Note(reader.SyncModes(state));
    failure.Note(reader.ClockSource(state));
    failure.Note(reader.RateMode(state));
    failure.Note(reader.SampleRates(state));
    report.clockMaster = ClockMasterOf(state);
    report.rateMode = state.rateMode;
    report.sampleRate = state.sampleRates.currentRate;
    report.supportedRates = state.OfferedRates();
    const std::vector<CtlDevice> devices = DevicesOf(state);
    for (size_t i = 0; i < devices.size(); ++i) {
        const _DEVICE_SYNC_MODE_INFO& sync = state.syncModes[i];
        CtlDeviceSync entry{devices[i].position, devices[i].id, devices[i].name, SyncModeOf(sync.current), {}};
        for (uint32_t m = 0; m < std::min(sync.offeredCount, kMaxSyncModes); ++m)
            entry.offered.push_back(SyncModeOf(sync.offered[m]));
        report.devices.push_back(std::move(entry));
    }
    return failure;
}

RequestFailure ReadReport(COvx1394Driver& drv, CtlStreamsReport& report)
{
    DriverState state;
    CDriverReader reader(drv);
    RequestFailure failure = reader.Devices(state);
    failure.Note(reader.Streams(state));
    report.devices = StreamsOf(state, DevicesOf(state));
    report.streaming = state.Streaming();
    return failure;
}

RequestFailure ReadReport(COvx1394Driver& drv, CtlBuffersReport& report)
{
    DriverState state;
    CDriverReader reader(drv);
    RequestFailure failure = reader.Buffers(state);
    failure.Note(reader.Statistics(state));
    report.stream = state.streamDepth;
    report.asio = state.asioDepth;
    report.wdm = state.wdmDepth;
    report.dropOuts = state.DropOuts();
    return failure;
}
