#include "ctl/CtlReportReader.h"

#include <algorithm>

#include "driver/RecordText.h"
#include "res/StreamTexts.h"

namespace {

CtlOutcome ReadDevices(CDrv& drv, std::vector<CtlDevice>& devices)
{
    if (const DrvResult result = drv.RefreshDevices())
        return CtlRefused("GetDeviceList or GetDeviceProperties", result);
    for (int i = 0; i < drv.m_devices.GetSize(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = *drv.m_devices.GetAt(i);
        devices.push_back({static_cast<uint32_t>(i + 1), device.deviceId, device.ranking,
                           std::string(FieldText(device.name)), std::string(FieldText(device.serialNumber))});
    }
    return CtlDone();
}

// The first listed device with the master's id gives its position and name.
CtlClockMaster ClockMasterOf(const _CLOCK_SOURCE_INFO& clock, const std::vector<CtlDevice>& devices)
{
    CtlClockMaster master;
    master.pc = clock.masterFlag == 0;
    if (master.pc)
        return master;
    master.deviceId = clock.masterDeviceId;
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const CtlDevice& device) { return device.id == clock.masterDeviceId; });
    if (found != devices.end()) {
        master.position = found->position;
        master.name = found->name;
    }
    return master;
}

struct Sampling {
    _CLOCK_SOURCE_INFO clock{};
    uint32_t rateMode = 0;
    _SAMPLE_RATE_INFO rates{};
};

CtlOutcome ReadSampling(CDrv& drv, Sampling& sampling)
{
    if (const DrvResult result = drv.GetClockSource(&sampling.clock))
        return CtlRefused("GetClockSource", result);
    if (const DrvResult result = drv.GetRateMode(&sampling.rateMode))
        return CtlRefused("GetRateMode", result);
    if (const DrvResult result = drv.GetSampleRates(&sampling.rates))
        return CtlRefused("GetSampleRates", result);
    return CtlDone();
}

// One GetStreamInfo per device; a device whose status cannot be read keeps read false.
std::vector<CtlDeviceStreams> ReadStreams(CDrv& drv, const std::vector<CtlDevice>& devices)
{
    std::vector<CtlDeviceStreams> streams;
    for (const CtlDevice& device : devices) {
        CtlDeviceStreams entry{device.position, device.id, device.name, false, {}};
        uint32_t id = device.id;
        entry.read = drv.GetStreamInfo(&id, &entry.info) == DRV_OK;
        if (!entry.read)
            entry.info = {};
        streams.push_back(std::move(entry));
    }
    return streams;
}

// As the panel's status bar tells it: every device's audio plugs connected, or not;
// a device whose status could not be read does not change the verdict.
const char* StreamingState(const std::vector<CtlDeviceStreams>& streams)
{
    if (streams.empty())
        return TXT_NO_STREAMS;
    for (const CtlDeviceStreams& device : streams) {
        if (device.read && (device.info.audioOut.state != PlugState_Connected ||
                            device.info.audioIn.state != PlugState_Connected))
            return TXT_CONNECT_FAILED_STATE;
    }
    return TXT_STREAMING;
}

CtlOutcome ReadDepths(CDrv& drv, _BUFFER_DEPTH_INFO& stream, _BUFFER_DEPTH_INFO& asio, _BUFFER_DEPTH_INFO& wdm)
{
    if (const DrvResult result = drv.GetStreamBufferDepth(&stream))
        return CtlRefused("GetStreamBufferDepth", result);
    if (const DrvResult result = drv.GetAsioBufferDepth(&asio))
        return CtlRefused("GetAsioBufferDepth", result);
    if (const DrvResult result = drv.GetWdmBufferDepth(&wdm))
        return CtlRefused("GetWdmBufferDepth", result);
    return CtlDone();
}

CtlSyncMode SyncModeOf(const _SYNC_MODE_ENTRY& entry)
{
    return {entry.modeCode, entry.sourceId, std::string(FieldText(entry.name))};
}

std::vector<uint32_t> RatesOf(const _SAMPLE_RATE_INFO& rates)
{
    return {rates.rates, rates.rates + std::min(rates.rateCount, kMaxSampleRates)};
}

}  // namespace

CtlOutcome ReadReport(CDrv& drv, CtlStatusReport& report)
{
    if (const DrvResult result = drv.GetDriverVersion(&report.version))
        return CtlRefused("GetDriverVersion", result);
    Sampling sampling;
    if (CtlOutcome read = ReadDevices(drv, report.devices); read.Failed())
        return read;
    if (CtlOutcome read = ReadSampling(drv, sampling); read.Failed())
        return read;
    report.sampleRate = sampling.rates.currentRate;
    report.rateMode = sampling.rateMode;
    report.clockMaster = ClockMasterOf(sampling.clock, report.devices);
    report.streaming = StreamingState(ReadStreams(drv, report.devices));
    _BUFFER_DEPTH_INFO stream{}, asio{}, wdm{};
    if (CtlOutcome read = ReadDepths(drv, stream, asio, wdm); read.Failed())
        return read;
    report.streamDepth = stream.stream.current;
    report.asioDepth = asio.audio.current;
    report.wdmDepth = wdm.audio.current;
    return CtlDone();
}

CtlOutcome ReadReport(CDrv& drv, CtlDevicesReport& report) { return ReadDevices(drv, report.devices); }

CtlOutcome ReadReport(CDrv& drv, CtlChannelsReport& report)
{
    std::vector<CtlDevice> devices;
    if (CtlOutcome read = ReadDevices(drv, devices); read.Failed())
        return read;
    CChannelArray& channels = report.output ? drv.m_outputChannels : drv.m_inputChannels;
    if (const DrvResult result = drv.RefreshChannels(channels, report.output))
        return CtlRefused("GetChannelLists or GetChannelProperties", result);
    if (const DrvResult result = drv.GetAsioNameOption(&drv.m_nAsioNameOption))
        return CtlRefused("GetAsioNameOption", result);
    report.asioNamesIncludeDevice = drv.m_nAsioNameOption != 0;
    for (int i = 0; i < channels.GetSize(); ++i) {
        const _OVX_CHANNEL_PROPERTIES& channel = *channels.GetAt(i);
        const auto device = std::find_if(devices.begin(), devices.end(),
                                         [&](const CtlDevice& d) { return d.id == channel.deviceId; });
        report.channels.push_back({static_cast<uint32_t>(i + 1), channel.deviceId,
                                   device != devices.end() ? device->name : std::string(),
                                   std::string(FieldText(channel.channelName)),
                                   std::string(FieldText(channel.hardwareName))});
    }
    return CtlDone();
}

// The device list and the synchronisation list come from two requests of the device
// list; a device that came, went or moved in between must not be shown with another's
// modes, so they are paired by device id, and a device without a record is left out.
CtlOutcome ReadReport(CDrv& drv, CtlSyncReport& report)
{
    std::vector<CtlDevice> devices;
    if (CtlOutcome read = ReadDevices(drv, devices); read.Failed())
        return read;
    if (const DrvResult result = drv.RefreshSyncModes())
        return CtlRefused("GetDeviceList or GetDeviceSyncMode", result);
    Sampling sampling;
    if (CtlOutcome read = ReadSampling(drv, sampling); read.Failed())
        return read;
    report.clockMaster = ClockMasterOf(sampling.clock, devices);
    report.rateMode = sampling.rateMode;
    report.sampleRate = sampling.rates.currentRate;
    report.supportedRates = RatesOf(sampling.rates);
    for (const CtlDevice& device : devices) {
        for (int i = 0; i < drv.m_syncModes.GetSize(); ++i) {
            const _DEVICE_SYNC_MODE_INFO& sync = *drv.m_syncModes.GetAt(i);
            if (sync.deviceId != device.id)
                continue;
            CtlDeviceSync entry{device.position, device.id, device.name, SyncModeOf(sync.current), {}};
            for (uint32_t m = 0; m < std::min(sync.offeredCount, kMaxSyncModes); ++m)
                entry.offered.push_back(SyncModeOf(sync.offered[m]));
            report.devices.push_back(std::move(entry));
            break;
        }
    }
    return CtlDone();
}

CtlOutcome ReadReport(CDrv& drv, CtlStreamsReport& report)
{
    std::vector<CtlDevice> devices;
    if (CtlOutcome read = ReadDevices(drv, devices); read.Failed())
        return read;
    report.devices = ReadStreams(drv, devices);
    report.streaming = StreamingState(report.devices);
    return CtlDone();
}

CtlOutcome ReadReport(CDrv& drv, CtlBuffersReport& report)
{
    if (CtlOutcome read = ReadDepths(drv, report.stream, report.asio, report.wdm); read.Failed())
        return read;
    _ASIO_STATISTICS statistics{};
    if (const DrvResult result = drv.GetAsioStatistics(&statistics))
        return CtlRefused("GetAsioStatistics", result);
    report.dropOuts = statistics.words[kAsioDropOutWord];
    return CtlDone();
}
