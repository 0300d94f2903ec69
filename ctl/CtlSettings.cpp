#include "ctl/CtlSettings.h"

#include <algorithm>

#include "ctl/CtlArguments.h"
#include "driver/RecordText.h"
#include "protocol/BufferDepthWrite.h"
#include "protocol/DriverReader.h"
#include "protocol/NameWrites.h"
#include "protocol/RankingWrite.h"
#include "protocol/SampleRateWrite.h"
#include "protocol/SynchronisationWrite.h"
#include "snapshot/SnapshotJson.h"
#include "text/ControlText.h"

const char* CtlBufferName(BufferKind buffer)
{
    switch (buffer) {
    case BufferKind::Stream: return "stream";
    case BufferKind::Asio: return "asio";
    case BufferKind::Wdm: return "wdm";
    }
    return "";
}

CtlOutcome CtlWritten(const WriteOutcome& outcome, std::string_view value)
{
    if (!outcome.Sent())
        return CtlUsage(RuleMessage(outcome.rule, value));
    if (outcome.Ok())
        return CtlDone();
    CtlOutcome refused = CtlRefused(outcome.refused.Ok() ? outcome.restart : outcome.refused);
    if (outcome.StreamingLeftStopped()) {
        if (!outcome.refused.Ok())
            refused.message += "\novxctl: " + CtlRefused(outcome.restart).message;
        refused.message += "\novxctl: streaming is stopped; start it again from the panel or with set-clock";
    }
    return refused;
}

CtlOutcome CCtlSettings::ReadSynchronisation()
{
    CDriverReader reader(m_drv);
    RequestFailure failure = reader.Devices(m_state);
    failure.Note(reader.SyncModes(m_state));
    failure.Note(reader.ClockSource(m_state));
    failure.Note(reader.RateMode(m_state));
    return failure.Ok() ? CtlDone() : CtlRefused(failure);
}

CtlOutcome CCtlSettings::ApplySynchronisation()
{
    SynchronisationSettings settings;
    settings.clockSource = m_state.clockSource;
    settings.rateMode = m_state.rateMode;
    for (const _DEVICE_SYNC_MODE_INFO& sync : m_state.syncModes)
        settings.syncModes.push_back(&sync);
    return CtlWritten(::ApplySynchronisation(m_drv, settings).outcome);
}

CtlOutcome CCtlSettings::SetRate(uint32_t hz)
{
    CDriverReader reader(m_drv);
    if (const RequestFailure failure = reader.RateMode(m_state); !failure.Ok())
        return CtlRefused(failure);
    // Checked before the rates are read: with the rate set by the clock master there is none to offer.
    if (CheckSampleRate(m_state.rateMode, _SAMPLE_RATE_INFO{}, hz) == WriteRule::RateSetByClockMaster)
        return CtlUsage("set-rate expects the manual rate mode, but the sampling rate is set automatically as "
                        "defined by the clock master");
    if (const RequestFailure failure = reader.SampleRates(m_state); !failure.Ok())
        return CtlRefused(failure);
    if (CheckSampleRate(m_state.rateMode, m_state.sampleRates, hz) == WriteRule::RateNotOffered) {
        std::string offered;
        for (const uint32_t rate : m_state.OfferedRates())
            offered += (offered.empty() ? "" : " ") + std::to_string(rate);
        return CtlUsage("the driver offers no sampling rate of " + std::to_string(hz) + " Hz; expected one of: " +
                        offered);
    }
    return CtlWritten(SetSampleRate(m_drv, m_state.rateMode, m_state.sampleRates, hz));
}

CtlOutcome CCtlSettings::SetClock(const std::string& master)
{
    if (CtlOutcome read = ReadSynchronisation(); read.Failed())
        return read;
    if (SameText(master, kSnapshotPcClockMaster)) {
        m_state.clockSource.masterFlag = 0;
        m_state.clockSource.masterDeviceId = 0;
    } else {
        int index = -1;
        if (CtlOutcome found = FindDevice(m_state.devices, master, index); found.Failed())
            return CtlUsage("set-clock expects pc or a device: " + found.message);
        m_state.clockSource.masterFlag = 1;
        m_state.clockSource.masterDeviceId = m_state.devices[static_cast<size_t>(index)].deviceId;
    }
    return ApplySynchronisation();
}

CtlOutcome CCtlSettings::SetSync(const std::string& device, const std::string& mode)
{
    if (CtlOutcome read = ReadSynchronisation(); read.Failed())
        return read;
    int index = -1;
    if (CtlOutcome found = FindDevice(m_state.devices, device, index); found.Failed())
        return found;
    _DEVICE_SYNC_MODE_INFO& sync = m_state.syncModes[static_cast<size_t>(index)];
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

CtlOutcome CCtlSettings::SetBuffer(BufferKind buffer, uint32_t depth)
{
    if (const RequestFailure failure = CDriverReader(m_drv).Buffer(m_state, buffer); !failure.Ok())
        return CtlRefused(failure);
    const std::string name = CtlBufferName(buffer);
    const DepthScale scale = ScaleOf(buffer, m_state.DepthOf(buffer));
    if (!scale.Usable())
        return {CtlExit_Refused, "the driver reports no settable range for the " + name + " buffer"};
    if (!scale.Offers(depth))
        return CtlUsage("the " + name + " buffer depth must be a multiple of " + std::to_string(scale.step) +
                        " from " + std::to_string(scale.lowest) + " to " + std::to_string(scale.limit) +
                        " microseconds");
    return CtlWritten(SetBufferDepth(m_drv, buffer, m_state.DepthOf(buffer), depth));
}

CtlOutcome CCtlSettings::RenameDevice(const std::string& device, const std::string& name)
{
    if (const RequestFailure failure = CDriverReader(m_drv).Devices(m_state); !failure.Ok())
        return CtlRefused(failure);
    int index = -1;
    if (CtlOutcome found = FindDevice(m_state.devices, device, index); found.Failed())
        return found;
    return CtlWritten(::RenameDevice(m_drv, m_state.devices[static_cast<size_t>(index)], name), name);
}

CtlOutcome CCtlSettings::RenameChannel(bool output, const std::string& channel, const std::string& name)
{
    if (const RequestFailure failure = CDriverReader(m_drv).Channels(m_state, output); !failure.Ok())
        return CtlRefused(failure);
    const std::vector<_OVX_CHANNEL_PROPERTIES>& channels = output ? m_state.outputs : m_state.inputs;
    int index = -1;
    if (CtlOutcome found = FindChannel(channels, channel, index); found.Failed())
        return found;
    return CtlWritten(::RenameChannel(m_drv, channels[static_cast<size_t>(index)], name), name);
}

CtlOutcome CCtlSettings::SetAsioNames(bool on)
{
    return CtlWritten(SetAsioNamesIncludeDevice(m_drv, on));
}

CtlOutcome CCtlSettings::Rank(const std::vector<std::string>& devices)
{
    if (devices.empty())
        return CtlUsage("rank expects the devices in their new order");
    if (const RequestFailure failure = CDriverReader(m_drv).Devices(m_state); !failure.Ok())
        return CtlRefused(failure);
    // The devices named come first, in the order given; the others keep their order after them.
    std::vector<size_t> order;
    for (const std::string& device : devices) {
        int index = -1;
        if (CtlOutcome found = FindDevice(m_state.devices, device, index); found.Failed())
            return found;
        if (std::find(order.begin(), order.end(), static_cast<size_t>(index)) != order.end())
            return CtlUsage("rank names the device " + Quoted(device) + " twice");
        order.push_back(static_cast<size_t>(index));
    }
    for (size_t i = 0; i < m_state.devices.size(); ++i) {
        if (std::find(order.begin(), order.end(), i) == order.end())
            order.push_back(i);
    }
    std::vector<_OVX_DEVICE_PROPERTIES*> records;
    for (_OVX_DEVICE_PROPERTIES& device : m_state.devices)
        records.push_back(&device);
    return CtlWritten(StoreRanking(m_drv, records, order));
}
