#include "snapshot/RestoreApplier.h"

#include <algorithm>

#include "driver/RecordText.h"

size_t RestoreReport::Count(ItemOutcome outcome) const
{
    return static_cast<size_t>(
        std::count_if(items.begin(), items.end(), [&](const ItemResult& r) { return r.outcome == outcome; }));
}

bool RestoreReport::Complete() const
{
    return Count(ItemOutcome::Refused) == 0 && Count(ItemOutcome::NotHeld) == 0 &&
           Count(ItemOutcome::Planned) == 0 && startStreaming == DRV_OK && readBack.Ok();
}

namespace {

ItemResult Outcome(const char* request, DrvResult code)
{
    return {code == DRV_OK ? ItemOutcome::Applied : ItemOutcome::Refused, request, code};
}

// Two plan items that change the same thing.
bool SameTarget(const PlanItem& a, const PlanItem& b)
{
    return a.kind == b.kind && a.serial == b.serial && a.output == b.output && a.index == b.index;
}

}  // namespace

ItemResult CRestoreApplier::Write(const PlanItem& item, StudioState& state)
{
    switch (item.kind) {
    case PlanKind::DeviceName: {
        _OVX_DEVICE_PROPERTIES device = state.devices[item.record];
        SetFieldText(device.name, item.then);
        const ItemResult result = Outcome("SetDeviceProperties", m_drv.SetDeviceProperties(&device));
        // The ranking's writes send whole records: they must carry the new name.
        if (result.outcome == ItemOutcome::Applied)
            state.devices[item.record] = device;
        return result;
    }
    case PlanKind::Ranking: return WriteRanking(item, state);
    case PlanKind::ChannelName: {
        _OVX_CHANNEL_PROPERTIES channel = (item.output ? state.outputs : state.inputs)[item.record];
        SetFieldText(channel.channelName, item.then);
        return Outcome("SetChannelProperties", m_drv.SetChannelProperties(&channel));
    }
    case PlanKind::AsioNames: {
        const uint32_t option = item.thenValue;
        return Outcome("SetAsioNameOption", m_drv.SetAsioNameOption(&option));
    }
    case PlanKind::SampleRate: return Outcome("SetSampleRate", m_drv.SetSampleRate(item.thenValue));
    case PlanKind::AsioDepth: {
        // The ASIO buffer changes without a restart of the streams.
        _BUFFER_DEPTH_INFO depth = state.asioDepth;
        depth.audio.current = item.thenValue;
        return Outcome("SetAsioBufferDepth", m_drv.SetAsioBufferDepth(&depth));
    }
    default: return WriteFramed(item, state);
    }
}

ItemResult CRestoreApplier::WriteRanking(const PlanItem& item, StudioState& state)
{
    // As the devices page stores a ranking: every record in the driver's order, each
    // with its new position; a refusal does not stop the others.
    ItemResult result = Outcome("SetDeviceProperties", DRV_OK);
    for (size_t record = 0; record < state.devices.size(); ++record) {
        _OVX_DEVICE_PROPERTIES device = state.devices[record];
        const auto position = std::find(item.order.begin(), item.order.end(), record) - item.order.begin();
        device.ranking = static_cast<uint32_t>(position);
        const DrvResult code = m_drv.SetDeviceProperties(&device);
        if (code != DRV_OK && result.outcome == ItemOutcome::Applied)
            result = Outcome("SetDeviceProperties", code);
    }
    return result;
}

ItemResult CRestoreApplier::WriteFramed(const PlanItem& item, StudioState& state)
{
    switch (item.kind) {
    case PlanKind::ClockMaster: {
        _CLOCK_SOURCE_INFO clock = state.clockSource;   // its first word goes back as read
        clock.masterFlag = item.then == "pc" ? 0 : 1;
        clock.masterDeviceId = item.thenValue;
        return Outcome("SetClockSource", m_drv.SetClockSource(&clock));
    }
    case PlanKind::RateMode: return Outcome("SetRateMode", m_drv.SetRateMode(item.thenValue));
    case PlanKind::SyncMode: {
        _DEVICE_SYNC_MODE_INFO sync = state.syncModes[item.record];
        sync.current.modeCode = item.thenMode.code;
        sync.current.sourceId = item.thenMode.source;
        return Outcome("SetDeviceSyncMode", m_drv.SetDeviceSyncMode(&sync));
    }
    case PlanKind::StreamDepth: {
        _BUFFER_DEPTH_INFO depth = state.streamDepth;
        depth.stream.current = item.thenValue;
        return Outcome("SetStreamBufferDepth", m_drv.SetStreamBufferDepth(&depth));
    }
    case PlanKind::WdmDepth: {
        _BUFFER_DEPTH_INFO depth = state.wdmDepth;
        depth.audio.current = item.thenValue;
        return Outcome("SetWdmBufferDepth", m_drv.SetWdmBufferDepth(&depth));
    }
    default: return {ItemOutcome::Skipped, "", DRV_OK};
    }
}

void CRestoreApplier::ApplyFrame(const RestorePlan& plan, StudioState& state, RestoreReport& report)
{
    const auto framed = [](const PlanItem& item) { return item.Framed() && !item.Skipped(); };
    if (std::none_of(plan.items.begin(), plan.items.end(), framed))
        return;
    // As the synchronisation page: when streaming cannot be stopped, nothing of the
    // frame is sent, and there is nothing to start again.
    const DrvResult stopped = m_drv.StopStreaming();
    for (size_t i = 0; i < plan.items.size(); ++i) {
        if (framed(plan.items[i]))
            report.items[i] = stopped == DRV_OK ? WriteFramed(plan.items[i], state) : Outcome("StopStreaming", stopped);
    }
    if (stopped == DRV_OK)
        report.startStreaming = m_drv.StartStreaming();
}

RestoreReport CRestoreApplier::Apply(const Snapshot& file, const RestorePlan& plan, StudioState& state)
{
    RestoreReport report;
    report.items.resize(plan.items.size());
    bool frameDone = false;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const PlanItem& item = plan.items[i];
        if (item.Skipped()) {
            report.items[i] = {ItemOutcome::Skipped, "", DRV_OK};
        } else if (item.Framed()) {
            if (!frameDone)
                ApplyFrame(plan, state, report);
            frameDone = true;
        } else {
            report.items[i] = Write(item, state);
        }
    }
    if (plan.Changes() > 0)
        ReadBack(file, plan, state, report);
    return report;
}

void CRestoreApplier::ReadBack(const Snapshot& file, const RestorePlan& plan, StudioState& state,
                               RestoreReport& report)
{
    report.readBack = CStudioReader(m_drv).Read(state, false);
    if (!report.readBack.Ok())
        return;
    // What still differs after a write the driver took was not held.
    const RestorePlan after = MakeRestorePlan(file, state);
    for (size_t i = 0; i < plan.items.size(); ++i) {
        if (report.items[i].outcome != ItemOutcome::Applied)
            continue;
        const bool differs = std::any_of(after.items.begin(), after.items.end(), [&](const PlanItem& left) {
            return !left.Skipped() && SameTarget(left, plan.items[i]);
        });
        if (differs)
            report.items[i].outcome = ItemOutcome::NotHeld;
    }
}
