#include "protocol/DriverReader.h"

#include <algorithm>

#include "driver/ControlCodes.h"
#include "driver/RecordLists.h"

namespace {

template <typename Record>
RecordSink<Record> AppendTo(std::vector<Record>& records)
{
    return [&records](const Record& record) {
        records.push_back(record);
        return true;
    };
}

}  // namespace

RequestFailure CDriverReader::Version(DriverState& state)
{
    return {OvxIoctl::GetDriverVersion, m_drv.GetDriverVersion(&state.version)};
}

RequestFailure CDriverReader::Devices(DriverState& state)
{
    state.devices.clear();
    return ReadDeviceRecords(m_drv, AppendTo(state.devices));
}

RequestFailure CDriverReader::SyncModes(DriverState& state)
{
    std::vector<_DEVICE_SYNC_MODE_INFO> read;
    RequestFailure failure = ReadSyncModeRecords(m_drv, AppendTo(read));
    state.syncModes.assign(state.devices.size(), _DEVICE_SYNC_MODE_INFO{});
    bool missing = false;
    for (size_t i = 0; i < state.devices.size(); ++i) {
        const uint32_t id = state.devices[i].deviceId;
        const auto record = std::find_if(read.begin(), read.end(),
                                         [id](const _DEVICE_SYNC_MODE_INFO& r) { return r.deviceId == id; });
        state.syncModes[i].deviceId = id;
        if (record != read.end())
            state.syncModes[i] = *record;
        missing |= record == read.end();
    }
    if (missing || read.size() != state.devices.size())
        failure.Note(OvxIoctl::GetDeviceList, ERROR_DRV_LIST_CHANGED);
    return failure;
}

RequestFailure CDriverReader::Channels(DriverState& state, bool output)
{
    std::vector<_OVX_CHANNEL_PROPERTIES>& channels = output ? state.outputs : state.inputs;
    channels.clear();
    return ReadChannelRecords(m_drv, output, AppendTo(channels));
}

RequestFailure CDriverReader::AsioNameOption(DriverState& state)
{
    return {OvxIoctl::GetAsioNameOption, m_drv.GetAsioNameOption(&state.asioNameOption)};
}

RequestFailure CDriverReader::ClockSource(DriverState& state)
{
    const DrvResult result = m_drv.GetClockSource(&state.clockSource);
    state.clockSourceRead = result == DRV_OK;
    return {OvxIoctl::GetClockSource, result};
}

RequestFailure CDriverReader::RateMode(DriverState& state)
{
    return {OvxIoctl::GetRateMode, m_drv.GetRateMode(&state.rateMode)};
}

RequestFailure CDriverReader::SampleRates(DriverState& state)
{
    return {OvxIoctl::GetSampleRates, m_drv.GetSampleRates(&state.sampleRates)};
}

RequestFailure CDriverReader::Buffer(DriverState& state, BufferKind kind)
{
    switch (kind) {
    case BufferKind::Stream: return {OvxIoctl::GetStreamBufferDepth, m_drv.GetStreamBufferDepth(&state.streamDepth)};
    case BufferKind::Asio: return {OvxIoctl::GetAsioBufferDepth, m_drv.GetAsioBufferDepth(&state.asioDepth)};
    case BufferKind::Wdm: break;
    }
    return {OvxIoctl::GetWdmBufferDepth, m_drv.GetWdmBufferDepth(&state.wdmDepth)};
}

RequestFailure CDriverReader::Buffers(DriverState& state)
{
    RequestFailure failure = Buffer(state, BufferKind::Stream);
    failure.Note(Buffer(state, BufferKind::Asio));
    failure.Note(Buffer(state, BufferKind::Wdm));
    return failure;
}

RequestFailure CDriverReader::Statistics(DriverState& state)
{
    return {OvxIoctl::GetAsioStatistics, m_drv.GetAsioStatistics(&state.statistics)};
}

RequestFailure CDriverReader::Streams(DriverState& state)
{
    RequestFailure failure;
    state.streams.assign(state.devices.size(), DeviceStreams{});
    for (size_t i = 0; i < state.devices.size(); ++i) {
        DeviceStreams& streams = state.streams[i];
        const DrvResult result = m_drv.GetStreamInfo(&state.devices[i].deviceId, &streams.info);
        streams.read = result == DRV_OK;
        if (!streams.read)
            streams.info = {};
        failure.Note(OvxIoctl::GetStreamInfo, result);
    }
    return failure;
}

RequestFailure CDriverReader::Settings(DriverState& state)
{
    RequestFailure failure = Version(state);
    failure.Note(Devices(state));
    failure.Note(SyncModes(state));
    failure.Note(Channels(state, false));
    failure.Note(Channels(state, true));
    failure.Note(AsioNameOption(state));
    failure.Note(ClockSource(state));
    failure.Note(RateMode(state));
    failure.Note(SampleRates(state));
    failure.Note(Buffers(state));
    return failure;
}
