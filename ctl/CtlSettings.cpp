#include "ctl/CtlSettings.h"

#include <algorithm>

#include "ctl/CtlArguments.h"
#include "driver/BufferLimits.h"
#include "driver/RecordText.h"
#include "text/ControlText.h"

const char* CtlBufferName(CtlBuffer buffer)
{
    switch (buffer) {
    case CtlBuffer::Stream: return "stream";
    case CtlBuffer::Asio: return "asio";
    case CtlBuffer::Wdm: return "wdm";
    }
    return "";
}

namespace {

// The first failure of a sequence of requests whose later members are still sent.
struct FirstRefusal {
    CtlOutcome outcome;
    void Note(const char* request, DrvResult result)
    {
        if (result != DRV_OK && !outcome.Failed())
            outcome = CtlRefused(request, result);
    }
};

}  // namespace

CtlOutcome CCtlSettings::ReadDevicesAndModes()
{
    if (const DrvResult result = m_drv.RefreshDevices())
        return CtlRefused("GetDeviceList or GetDeviceProperties", result);
    if (const DrvResult result = m_drv.RefreshSyncModes())
        return CtlRefused("GetDeviceList or GetDeviceSyncMode", result);
    // Both lists are built from their own device list request; a device that came or
    // went in between would write one device's mode to another.
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        const auto* sync = m_drv.m_syncModes.GetAt(i);
        if (!sync || sync->deviceId != m_drv.m_devices.GetAt(i)->deviceId)
            return {CtlExit_Refused, "the devices changed while they were read; try again"};
    }
    if (m_drv.m_syncModes.GetSize() != m_drv.m_devices.GetSize())
        return {CtlExit_Refused, "the devices changed while they were read; try again"};
    if (const DrvResult result = m_drv.GetClockSource(&m_drv.m_clockSource))
        return CtlRefused("GetClockSource", result);
    if (const DrvResult result = m_drv.GetRateMode(&m_drv.m_nRateMode))
        return CtlRefused("GetRateMode", result);
    return CtlDone();
}

CtlOutcome CCtlSettings::ApplySynchronisation()
{
    if (const DrvResult result = m_drv.StopStreaming())
        return CtlRefused("StopStreaming", result);
    FirstRefusal refusal;
    refusal.Note("SetClockSource", m_drv.SetClockSource(&m_drv.m_clockSource));
    refusal.Note("SetRateMode", m_drv.SetRateMode(m_drv.m_nRateMode));
    refusal.Note("SetDeviceSyncMode", m_drv.ApplySyncModes());
    refusal.Note("StartStreaming", m_drv.StartStreaming());
    return refusal.outcome;
}

CtlOutcome CCtlSettings::SetRate(uint32_t hz)
{
    // The panel's rate box is disabled unless the rate is set by hand: otherwise the
    // clock master defines it and a rate sent would fight it.
    if (const DrvResult result = m_drv.GetRateMode(&m_drv.m_nRateMode))
        return CtlRefused("GetRateMode", result);
    if (m_drv.m_nRateMode != 0)
        return CtlUsage("set-rate expects the manual rate mode, but the sampling rate is set automatically as "
                        "defined by the clock master");
    if (const DrvResult result = m_drv.GetSampleRates(&m_drv.m_sampleRates))
        return CtlRefused("GetSampleRates", result);
    const _SAMPLE_RATE_INFO& rates = m_drv.m_sampleRates;
    const uint32_t* end = rates.rates + std::min(rates.rateCount, kMaxSampleRates);
    if (hz == 0 || std::find(rates.rates, end, hz) == end) {
        std::string offered;
        for (const uint32_t* r = rates.rates; r != end; ++r)
            offered += (offered.empty() ? "" : " ") + std::to_string(*r);
        return CtlUsage("the driver offers no sampling rate of " + std::to_string(hz) + " Hz; expected one of: " +
                        offered);
    }
    m_drv.m_sampleRates.currentRate = hz;
    if (const DrvResult result = m_drv.SetSampleRate(hz))
        return CtlRefused("SetSampleRate", result);
    return CtlDone();
}

CtlOutcome CCtlSettings::SetClock(const std::string& master)
{
    if (CtlOutcome read = ReadDevicesAndModes(); read.Failed())
        return read;
    if (SameText(master, "pc")) {
        // The PC driver as master has no device to follow: the rate is set by hand.
        m_drv.m_clockSource.masterFlag = 0;
        m_drv.m_clockSource.masterDeviceId = 0;
        m_drv.m_nRateMode = 0;
    } else {
        int index = -1;
        if (CtlOutcome found = FindDevice(m_drv, master, index); found.Failed())
            return CtlUsage("set-clock expects pc or a device: " + found.message);
        m_drv.m_clockSource.masterFlag = 1;
        m_drv.m_clockSource.masterDeviceId = m_drv.m_devices.GetAt(index)->deviceId;
    }
    return ApplySynchronisation();
}

CtlOutcome CCtlSettings::SetSync(const std::string& device, const std::string& mode)
{
    if (CtlOutcome read = ReadDevicesAndModes(); read.Failed())
        return read;
    int index = -1;
    if (CtlOutcome found = FindDevice(m_drv, device, index); found.Failed())
        return found;
    _DEVICE_SYNC_MODE_INFO& sync = *m_drv.m_syncModes.GetAt(index);
    const uint32_t offered = std::min(sync.offeredCount, kMaxSyncModes);
    int chosen = -1;
    if (uint32_t position = 0; ParseUnsigned(mode, position) && position >= 1 && position <= offered)
        chosen = static_cast<int>(position) - 1;
    for (uint32_t m = 0; chosen < 0 && m < offered; ++m) {
        if (SameText(FieldText(sync.offered[m].name), mode))
            chosen = static_cast<int>(m);
    }
    if (chosen < 0) {
        std::string names;
        for (uint32_t m = 0; m < offered; ++m)
            names += (m ? ", " : "") + std::to_string(m + 1) + " " + std::string(FieldText(sync.offered[m].name));
        return CtlUsage("the device offers no mode " + Quoted(mode) + "; expected a position or a name of: " +
                        EscapeControlCharacters(names));
    }
    sync.current = sync.offered[chosen];
    return ApplySynchronisation();
}

CtlOutcome CCtlSettings::SetBuffer(CtlBuffer buffer, uint32_t depth)
{
    const bool stream = buffer == CtlBuffer::Stream, asio = buffer == CtlBuffer::Asio;
    const std::string name = CtlBufferName(buffer);
    _BUFFER_DEPTH_INFO setting{};
    const char* reader = stream ? "GetStreamBufferDepth" : asio ? "GetAsioBufferDepth" : "GetWdmBufferDepth";
    const DrvResult read = stream ? m_drv.GetStreamBufferDepth(&setting)
                           : asio ? m_drv.GetAsioBufferDepth(&setting)
                                  : m_drv.GetWdmBufferDepth(&setting);
    if (read)
        return CtlRefused(reader, read);
    const uint32_t minimum = stream ? setting.stream.minimum : setting.audio.minimum;
    const uint32_t step = stream ? setting.stream.step : setting.audio.step;
    const uint32_t limit = stream ? kStreamDepthLimit : kAudioDepthLimit;
    if (step == 0 || minimum > limit)
        return {CtlExit_Refused, "the driver reports no settable range for the " + name + " buffer"};
    if (depth < minimum || depth > limit || depth % step != 0)
        return CtlUsage("the " + name + " buffer depth must be a multiple of " + std::to_string(step) +
                        " from " + std::to_string(minimum) + " to " + std::to_string(limit) + " microseconds");

    FirstRefusal refusal;
    if (stream) {
        setting.stream.current = depth;
        refusal.Note("SetStreamBufferDepth", m_drv.SetStreamBufferDepth(&setting));
    } else if (asio) {
        setting.audio.current = depth;
        // The ASIO buffer changes without a restart of the streams.
        if (const DrvResult result = m_drv.SetAsioBufferDepth(&setting))
            return CtlRefused("SetAsioBufferDepth", result);
        return CtlDone();
    } else {
        setting.audio.current = depth;
        refusal.Note("SetWdmBufferDepth", m_drv.SetWdmBufferDepth(&setting));
    }
    refusal.Note("StopStreaming", m_drv.StopStreaming());
    refusal.Note("StartStreaming", m_drv.StartStreaming());
    return refusal.outcome;
}

CtlOutcome CCtlSettings::RenameDevice(const std::string& device, const std::string& name)
{
    if (const DrvResult result = m_drv.RefreshDevices())
        return CtlRefused("GetDeviceList or GetDeviceProperties", result);
    int index = -1;
    if (CtlOutcome found = FindDevice(m_drv, device, index); found.Failed())
        return found;
    _OVX_DEVICE_PROPERTIES renamed = *m_drv.m_devices.GetAt(index);
    SetFieldText(renamed.name, name);
    if (const DrvResult result = m_drv.SetDeviceProperties(&renamed))
        return CtlRefused("SetDeviceProperties", result);
    return CtlDone();
}

CtlOutcome CCtlSettings::RenameChannel(bool output, const std::string& channel, const std::string& name)
{
    CChannelArray& channels = output ? m_drv.m_outputChannels : m_drv.m_inputChannels;
    if (const DrvResult result = m_drv.RefreshChannels(channels, output))
        return CtlRefused("GetChannelLists or GetChannelProperties", result);
    int index = -1;
    if (CtlOutcome found = FindChannel(channels, channel, index); found.Failed())
        return found;
    _OVX_CHANNEL_PROPERTIES renamed = *channels.GetAt(index);
    SetFieldText(renamed.channelName, name);
    if (const DrvResult result = m_drv.SetChannelProperties(&renamed))
        return CtlRefused("SetChannelProperties", result);
    return CtlDone();
}

CtlOutcome CCtlSettings::SetAsioNames(bool on)
{
    m_drv.m_nAsioNameOption = on ? 1 : 0;
    if (const DrvResult result = m_drv.SetAsioNameOption(&m_drv.m_nAsioNameOption))
        return CtlRefused("SetAsioNameOption", result);
    return CtlDone();
}

CtlOutcome CCtlSettings::Rank(const std::vector<std::string>& devices)
{
    if (devices.empty())
        return CtlUsage("rank expects the devices in their new order");
    if (const DrvResult result = m_drv.RefreshDevices())
        return CtlRefused("GetDeviceList or GetDeviceProperties", result);
    // The devices named come first, in the order given; the others keep their order after them.
    std::vector<int> order;
    for (const std::string& device : devices) {
        int index = -1;
        if (CtlOutcome found = FindDevice(m_drv, device, index); found.Failed())
            return found;
        if (std::find(order.begin(), order.end(), index) != order.end())
            return CtlUsage("rank names the device " + Quoted(device) + " twice");
        order.push_back(index);
    }
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        if (std::find(order.begin(), order.end(), i) == order.end())
            order.push_back(i);
    }
    for (size_t r = 0; r < order.size(); ++r)
        m_drv.m_devices.GetAt(order[r])->ranking = static_cast<uint32_t>(r);
    if (const DrvResult result = m_drv.ApplyDevices())
        return CtlRefused("SetDeviceProperties", result);
    return CtlDone();
}
