#include "sim/SimAnswers.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "driver/ControlCodes.h"
#include "driver/RecordText.h"
#include "driver/ResultCodes.h"

namespace {

// The devices in ranking order; equal rankings keep their plug order.
std::vector<const SimDevice*> RankedDevices(const SimBus& bus)
{
    std::vector<const SimDevice*> ranked;
    for (const SimDevice& device : bus.devices)
        ranked.push_back(&device);
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const SimDevice* a, const SimDevice* b) { return a->ranking < b->ranking; });
    return ranked;
}

// Channels as ASIO hosts see them: grouped by device in ranking order.
void FillChannelList(const SimBus& bus, const std::vector<SimChannel>& channels,
                     _CHANNEL_ID_LIST& list)
{
    list.count = 0;
    for (const SimDevice* device : RankedDevices(bus)) {
        for (const SimChannel& channel : channels) {
            if (channel.deviceId == device->id && list.count < kMaxChannels)
                list.ids[list.count++] = channel.id;
        }
    }
}

void FillRates(const std::vector<uint32_t>& rates, uint32_t& count, uint32_t (&out)[kMaxSampleRates])
{
    count = 0;
    for (uint32_t rate : rates) {
        if (count < kMaxSampleRates)
            out[count++] = rate;
    }
}

void FillSyncEntry(const SimSyncMode& mode, _SYNC_MODE_ENTRY& entry)
{
    entry.modeCode = mode.modeCode;
    entry.sourceId = mode.sourceId;
    SetFieldText(entry.name, mode.name);
}

uint32_t ReadWord(const void* in)
{
    uint32_t word;
    std::memcpy(&word, in, sizeof word);
    return word;
}

// Copies a whole answer into the output buffer, which need not be aligned.
template <typename Record>
uint32_t WriteRecord(void* out, const Record& record)
{
    std::memcpy(out, &record, sizeof record);
    return 0;
}

// Copies a record from an input buffer that need not be aligned.
template <typename Record>
Record ReadRecord(const void* in)
{
    Record record;
    std::memcpy(&record, in, sizeof record);
    return record;
}

}  // namespace

uint32_t CSimAnswers::Answer(uint32_t code, const void* in, void* out)
{
    namespace Io = OvxIoctl;
    switch (code) {
    case Io::GetDriverVersion: return WriteRecord(out, m_bus.version);
    case Io::GetAsioNameOption: return WriteRecord(out, m_bus.asioNameOption);
    case Io::SetAsioNameOption:
        m_bus.asioNameOption = ReadWord(in);
        return 0;
    case Io::GetDeviceList: return GetDeviceList(out);
    case Io::GetChannelLists: return GetChannelLists(out);
    case Io::GetClockSource: return WriteRecord(out, m_bus.clockSource);
    case Io::SetClockSource: return SetClockSource(ReadRecord<_CLOCK_SOURCE_INFO>(in));
    case Io::GetRateMode: return WriteRecord(out, _RATE_MODE_INFO{0, m_bus.rateMode});
    case Io::SetRateMode:
        m_bus.rateMode = ReadRecord<_RATE_MODE_INFO>(in).mode;
        return 0;
    case Io::GetSampleRates: return GetSampleRates(out);
    case Io::SetSampleRate: return SetSampleRate(ReadRecord<_SAMPLE_RATE_REQUEST>(in));
    case Io::GetDeviceSyncMode: return GetDeviceSyncMode(ReadWord(in), out);
    case Io::SetDeviceSyncMode: return SetDeviceSyncMode(ReadRecord<SyncModeHead>(in));
    case Io::GetDeviceProperties: return GetDeviceProperties(ReadWord(in), out);
    case Io::SetDeviceProperties: return SetDeviceProperties(ReadRecord<_OVX_DEVICE_PROPERTIES>(in));
    case Io::GetStreamInfo: return GetStreamInfo(ReadWord(in), out);
    case Io::GetChannelProperties: return GetChannelProperties(ReadWord(in), out);
    case Io::SetChannelProperties: return SetChannelProperties(ReadRecord<_OVX_CHANNEL_PROPERTIES>(in));
    default: return AnswerStreaming(code, in, out);
    }
}

uint32_t CSimAnswers::AnswerStreaming(uint32_t code, const void* in, void* out)
{
    namespace Io = OvxIoctl;
    switch (code) {
    case Io::StartStreaming:
        StartStreams(m_bus);
        m_events.QueueEvent(EvtType_StreamingRestarted);
        return 0;
    case Io::StopStreaming:
        StopStreams(m_bus);
        return 0;
    case Io::GetStreamBufferDepth: {
        const SimDepth& depth = m_bus.streamDepth;
        _BUFFER_DEPTH_INFO info{};
        info.stream = {depth.minimum, depth.reserved, depth.step, depth.current};
        return WriteRecord(out, info);
    }
    case Io::SetStreamBufferDepth:
        return SetDepth(m_bus.streamDepth, ReadRecord<_BUFFER_DEPTH_INFO>(in).stream.current);
    case Io::GetAsioBufferDepth: return GetAudioDepth(m_bus.asioDepth, out);
    case Io::GetWdmBufferDepth: return GetAudioDepth(m_bus.wdmDepth, out);
    case Io::SetAsioBufferDepth: {
        const uint32_t result = SetDepth(m_bus.asioDepth, ReadRecord<_BUFFER_DEPTH_INFO>(in).audio.current);
        if (result == 0)
            m_events.QueueEvent(EvtType_AsioBufferSizeChanged);
        return result;
    }
    case Io::SetWdmBufferDepth: return SetDepth(m_bus.wdmDepth, ReadRecord<_BUFFER_DEPTH_INFO>(in).audio.current);
    case Io::GetAsioStatistics: {
        _ASIO_STATISTICS statistics{};
        statistics.words[0] = m_bus.streaming ? 1 : 0;
        statistics.words[kAsioDropOutWord] = m_bus.asioDropouts;
        return WriteRecord(out, statistics);
    }
    default: return WinError::InvalidFunction;
    }
}

void CSimAnswers::StartStreams(SimBus& bus)
{
    bus.streaming = true;
    bus.nextStreamNumber = 0;
    for (SimDevice& device : bus.devices) {
        for (SimPlug& plug : device.plugs) {
            if (!plug.present || plug.failCode != 0)
                continue;
            plug.streamNumber = plug.fixedStreamNumber >= 0
                                    ? static_cast<uint32_t>(plug.fixedStreamNumber)
                                    : bus.nextStreamNumber++ % 64;   // 64 isochronous channels
        }
    }
}

void CSimAnswers::StopStreams(SimBus& bus)
{
    bus.streaming = false;
}

void CSimAnswers::RestartStreams()
{
    if (!m_bus.streaming)
        return;
    StopStreams(m_bus);
    StartStreams(m_bus);
    m_events.QueueEvent(EvtType_StreamingRestarted);
}

SimDevice* CSimAnswers::FindDevice(uint32_t id)
{
    for (SimDevice& device : m_bus.devices) {
        if (device.id == id)
            return &device;
    }
    return nullptr;
}

const SimDevice* CSimAnswers::FindDevice(uint32_t id) const
{
    return const_cast<CSimAnswers*>(this)->FindDevice(id);
}

uint32_t CSimAnswers::GetDeviceList(void* out) const
{
    _DEVICE_ID_LIST list{};
    for (const SimDevice* device : RankedDevices(m_bus)) {
        if (list.count < kMaxDevices)
            list.ids[list.count++] = device->id;
    }
    return WriteRecord(out, list);
}

uint32_t CSimAnswers::GetChannelLists(void* out) const
{
    const auto lists = std::make_unique<_CHANNEL_ID_LISTS>();
    FillChannelList(m_bus, m_bus.inputs, lists->input);
    FillChannelList(m_bus, m_bus.outputs, lists->output);
    return WriteRecord(out, *lists);
}

uint32_t CSimAnswers::SetClockSource(const _CLOCK_SOURCE_INFO& source)
{
    if (source.masterFlag > 1)
        return WinError::InvalidParameter;
    if (source.masterFlag == 1 && !FindDevice(source.masterDeviceId))
        return WinError::DevNotExist;
    m_bus.clockSource = source;
    if (source.masterFlag == 0)
        m_bus.clockSource.masterDeviceId = 0;
    return 0;
}

uint32_t CSimAnswers::GetSampleRates(void* out) const
{
    _SAMPLE_RATE_INFO rates{};
    rates.currentRate = m_bus.currentRate;
    FillRates(m_bus.supportedRates, rates.rateCount, rates.rates);
    return WriteRecord(out, rates);
}

uint32_t CSimAnswers::SetSampleRate(const _SAMPLE_RATE_REQUEST& request)
{
    if (m_bus.wdmDeviceInUse)
        return ERROR_DRV_WDM_DEVICE_IN_USE;
    const auto& rates = m_bus.supportedRates;
    if (std::find(rates.begin(), rates.end(), request.rate) == rates.end())
        return ERROR_DRV_RATE_NOT_SUPPORTED;
    if (m_bus.currentRate != request.rate) {
        m_bus.currentRate = request.rate;
        RestartStreams();
    }
    return 0;
}

uint32_t CSimAnswers::GetDeviceSyncMode(uint32_t id, void* out) const
{
    const SimDevice* device = FindDevice(id);
    if (!device)
        return WinError::DevNotExist;
    const auto record = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    _DEVICE_SYNC_MODE_INFO& info = *record;
    info.deviceId = device->id;
    FillSyncEntry(device->currentSync, info.current);
    info.offeredCount = 0;
    for (const SimSyncMode& mode : device->offeredSync) {
        if (info.offeredCount < kMaxSyncModes)
            FillSyncEntry(mode, info.offered[info.offeredCount++]);
    }
    return WriteRecord(out, info);
}

uint32_t CSimAnswers::SetDeviceSyncMode(const SyncModeHead& head)
{
    SimDevice* device = FindDevice(head.deviceId);
    if (!device)
        return WinError::DevNotExist;
    for (const SimSyncMode& mode : device->offeredSync) {
        if (mode.sourceId == head.sourceId) {
            device->currentSync = mode;
            device->currentSync.modeCode = head.modeCode;
            return 0;
        }
    }
    return WinError::InvalidParameter;
}

uint32_t CSimAnswers::GetDeviceProperties(uint32_t id, void* out) const
{
    const SimDevice* device = FindDevice(id);
    if (!device)
        return WinError::DevNotExist;
    _OVX_DEVICE_PROPERTIES properties{};
    properties.deviceId = device->id;
    properties.ranking = device->ranking;
    SetFieldText(properties.name, device->name);
    SetFieldText(properties.serialNumber, device->serialNumber);
    return WriteRecord(out, properties);
}

uint32_t CSimAnswers::SetDeviceProperties(const _OVX_DEVICE_PROPERTIES& properties)
{
    SimDevice* device = FindDevice(properties.deviceId);
    if (!device)
        return WinError::DevNotExist;
    if (properties.ranking >= kMaxDevices)
        return WinError::InvalidParameter;
    device->ranking = properties.ranking;
    device->name = std::string(FieldText(properties.name));
    return 0;
}

uint32_t CSimAnswers::GetStreamInfo(uint32_t id, void* out) const
{
    const SimDevice* device = FindDevice(id);
    if (!device)
        return WinError::DevNotExist;
    _STREAM_INFO info{};
    _PLUG_STATUS* records[PlugCount] = {&info.audioOut, &info.audioIn, &info.synchOut, &info.synchIn};
    for (int i = 0; i < PlugCount; ++i) {
        const SimPlug& plug = device->plugs[i];
        _PLUG_STATUS& status = *records[i];
        if (!m_bus.streaming || !plug.present)
            continue;
        FillRates(m_bus.supportedRates, status.rateCount, status.rates);
        if (plug.failCode != 0) {
            status.state = PlugState_ConnectFailed;
            status.error = plug.failCode;
            continue;
        }
        status.state = PlugState_Connected;
        status.streamNumber = plug.streamNumber;
        status.currentRate = m_bus.currentRate;
    }
    return WriteRecord(out, info);
}

uint32_t CSimAnswers::GetChannelProperties(uint32_t id, void* out) const
{
    _OVX_CHANNEL_PROPERTIES properties{};
    for (const auto* list : {&m_bus.inputs, &m_bus.outputs}) {
        for (const SimChannel& channel : *list) {
            if (channel.id != id)
                continue;
            // The uninterpreted words carry the channel's own id and direction,
            // so a record written back identifies its channel.
            properties.reserved0 = channel.id;
            properties.deviceId = channel.deviceId;
            properties.reserved8 = list == &m_bus.outputs ? 1 : 0;
            SetFieldText(properties.hardwareName, channel.hardwareName);
            SetFieldText(properties.channelName, channel.name);
            return WriteRecord(out, properties);
        }
    }
    return WinError::DevNotExist;
}

uint32_t CSimAnswers::SetChannelProperties(const _OVX_CHANNEL_PROPERTIES& properties)
{
    for (auto* list : {&m_bus.inputs, &m_bus.outputs}) {
        for (SimChannel& channel : *list) {
            if (channel.id != properties.reserved0)
                continue;
            if (channel.deviceId != properties.deviceId)
                return WinError::InvalidParameter;
            channel.name = std::string(FieldText(properties.channelName));
            return 0;
        }
    }
    return WinError::DevNotExist;
}

uint32_t CSimAnswers::GetAudioDepth(const SimDepth& depth, void* out) const
{
    const uint64_t samples = static_cast<uint64_t>(depth.current) * m_bus.currentRate / 1000000u;
    _BUFFER_DEPTH_INFO info{};
    info.audio = {depth.current, depth.minimum, depth.step, static_cast<uint32_t>(samples)};
    return WriteRecord(out, info);
}

uint32_t CSimAnswers::SetDepth(SimDepth& depth, uint32_t current)
{
    if (current < depth.minimum || current > depth.maximum)
        return WinError::InvalidParameter;
    depth.current = current;
    return 0;
}
