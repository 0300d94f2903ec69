#include "snapshot/RestoreApplier.h"

#include <algorithm>

#include "driver/ControlCodes.h"
#include "driver/RecordText.h"
#include "protocol/BufferDepthWrite.h"
#include "protocol/NameRule.h"
#include "protocol/NameWrites.h"
#include "protocol/RankingWrite.h"
#include "protocol/SampleRateWrite.h"
#include "protocol/SynchronisationWrite.h"

size_t RestoreReport::Count(ItemOutcome outcome) const
{
    return static_cast<size_t>(
        std::count_if(items.begin(), items.end(), [&](const ItemResult& r) { return r.outcome == outcome; }));
}

bool RestoreReport::Complete() const
{
    return Count(ItemOutcome::Refused) == 0 && Count(ItemOutcome::NotHeld) == 0 &&
           Count(ItemOutcome::Planned) == 0 && restart.Ok() && readBack.Ok();
}

bool RestoreReport::HoldsAll(const RestorePlan& plan) const
{
    return Complete() && plan.FileSkips() == 0;
}

namespace {

ItemResult ResultOf(const WriteOutcome& outcome)
{
    if (!outcome.Sent())
        return {ItemOutcome::Refused, {}, outcome.rule};
    if (!outcome.refused.Ok())
        return {ItemOutcome::Refused, outcome.refused, WriteRule::None};
    return {ItemOutcome::Applied, {}, WriteRule::None};
}

ItemResult ResultOf(uint32_t request, DrvResult code)
{
    return ResultOf(WriteOutcome::Of(request, code));
}

// Two plan items that change the same thing.
bool SameTarget(const PlanItem& a, const PlanItem& b)
{
    return a.kind == b.kind && a.serial == b.serial && a.output == b.output && a.index == b.index;
}

bool InSynchronisationFrame(const PlanItem& item)
{
    return item.Framed() && !item.Skipped();
}

}  // namespace

ItemResult CRestoreApplier::Write(const PlanItem& item, StudioState& state, RestoreReport& report)
{
    // A depth's outcome is its write's and its StopStreaming's; a restart that failed is
    // the report's to tell.
    const auto restarted = [&report](const WriteOutcome& outcome) {
        report.restart.Note(outcome.restart);
        return ResultOf(outcome);
    };
    switch (item.kind) {
    case PlanKind::DeviceName: {
        std::string name;
        if (const WriteRule broken = CheckNameFromUtf8(item.then, name); broken != WriteRule::None)
            return ResultOf(WriteOutcome::Refused(broken));
        const WriteOutcome outcome = RenameDevice(m_drv, state.devices[item.record], name);
        // The ranking's writes send whole records: they must carry the new name.
        if (outcome.Ok())
            SetFieldText(state.devices[item.record].name, name);
        return ResultOf(outcome);
    }
    case PlanKind::Ranking: {
        std::vector<_OVX_DEVICE_PROPERTIES*> records;
        for (_OVX_DEVICE_PROPERTIES& device : state.devices)
            records.push_back(&device);
        return ResultOf(StoreRanking(m_drv, records, item.order));
    }
    case PlanKind::ChannelName: {
        std::string name;
        if (const WriteRule broken = CheckNameFromUtf8(item.then, name); broken != WriteRule::None)
            return ResultOf(WriteOutcome::Refused(broken));
        return ResultOf(RenameChannel(m_drv, (item.output ? state.outputs : state.inputs)[item.record], name));
    }
    case PlanKind::AsioNames: return ResultOf(SetAsioNamesIncludeDevice(m_drv, item.thenValue != 0));
    case PlanKind::StreamDepth:
        return restarted(SetBufferDepth(m_drv, BufferKind::Stream, state.streamDepth, item.thenValue));
    case PlanKind::WdmDepth: return restarted(SetBufferDepth(m_drv, BufferKind::Wdm, state.wdmDepth, item.thenValue));
    case PlanKind::AsioDepth: return restarted(SetBufferDepth(m_drv, BufferKind::Asio, state.asioDepth, item.thenValue));
    case PlanKind::SampleRate:
        // Planned only while the rate is set by hand once the frame is applied.
        return ResultOf(SetSampleRate(m_drv, 0, state.sampleRates, item.thenValue));
    default: return {ItemOutcome::Skipped, {}, WriteRule::None};
    }
}

void CRestoreApplier::ApplySynchronisationItems(const RestorePlan& plan, StudioState& state, RestoreReport& report)
{
    SynchronisationSettings settings;
    settings.clockSource = state.clockSource;   // its first word goes back as read
    settings.sendClockSource = false;
    settings.rateMode = state.rateMode;
    settings.sendRateMode = false;
    std::vector<_DEVICE_SYNC_MODE_INFO> modes;
    std::vector<size_t> modeItems;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const PlanItem& item = plan.items[i];
        if (!InSynchronisationFrame(item))
            continue;
        if (item.kind == PlanKind::ClockMaster) {
            settings.clockSource.masterFlag = item.thenIsPc ? 0 : 1;
            settings.clockSource.masterDeviceId = item.thenValue;
            settings.sendClockSource = true;
        } else if (item.kind == PlanKind::RateMode) {
            settings.rateMode = item.thenValue;
            settings.sendRateMode = true;
        } else if (item.kind == PlanKind::SyncMode) {
            _DEVICE_SYNC_MODE_INFO sync = state.syncModes[item.record];
            sync.current.modeCode = item.thenMode.code;
            sync.current.sourceId = item.thenMode.source;
            modes.push_back(sync);
            modeItems.push_back(i);
        }
    }
    for (const _DEVICE_SYNC_MODE_INFO& sync : modes)
        settings.syncModes.push_back(&sync);

    const SynchronisationOutcome outcome = ApplySynchronisation(m_drv, settings);
    report.restart.Note(outcome.outcome.restart);
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const PlanItem& item = plan.items[i];
        if (!InSynchronisationFrame(item))
            continue;
        ItemResult& result = report.items[i];
        if (!outcome.framed)
            result = ResultOf(outcome.outcome.refused.request, outcome.outcome.refused.code);
        else if (item.kind == PlanKind::ClockMaster)
            result = ResultOf(OvxIoctl::SetClockSource, outcome.clockSource);
        else if (item.kind == PlanKind::RateMode)
            result = ResultOf(OvxIoctl::SetRateMode, outcome.rateMode);
    }
    for (size_t m = 0; outcome.framed && m < modeItems.size(); ++m)
        report.items[modeItems[m]] = ResultOf(OvxIoctl::SetDeviceSyncMode, outcome.syncModes[m]);
}

RestoreReport CRestoreApplier::Apply(const Snapshot& file, const RestorePlan& plan, StudioState& state)
{
    RestoreReport report;
    report.items.resize(plan.items.size());
    bool frameDone = false;
    for (size_t i = 0; i < plan.items.size(); ++i) {
        const PlanItem& item = plan.items[i];
        if (item.Skipped()) {
            report.items[i] = {ItemOutcome::Skipped, {}, WriteRule::None};
        } else if (item.Framed()) {
            if (!frameDone)
                ApplySynchronisationItems(plan, state, report);
            frameDone = true;
        } else {
            report.items[i] = Write(item, state, report);
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
    // What still differs after a write the driver took was not held. The ranking is
    // many writes: whatever of them the driver refused, its outcome is the order the
    // driver holds now.
    const RestorePlan after = MakeRestorePlan(file, state);
    for (size_t i = 0; i < plan.items.size(); ++i) {
        ItemResult& result = report.items[i];
        const bool ranking = plan.items[i].kind == PlanKind::Ranking;
        if (result.outcome != ItemOutcome::Applied && !(ranking && result.outcome == ItemOutcome::Refused))
            continue;
        const auto left = std::find_if(after.items.begin(), after.items.end(), [&](const PlanItem& item) {
            return !item.Skipped() && SameTarget(item, plan.items[i]);
        });
        if (ranking) {
            result.outcome = left == after.items.end() ? ItemOutcome::Applied : ItemOutcome::NotHeld;
            result.heldOrder = left == after.items.end() ? plan.items[i].then : left->now;
        } else if (left != after.items.end()) {
            result.outcome = ItemOutcome::NotHeld;
        }
    }
}
