#include "pages/PlanItemText.h"

#include "driver/RecordText.h"
#include "pages/SyncModeText.h"
#include "res/resource.h"
#include "text/FormatText.h"
#include "ui/ResourceText.h"

namespace {

std::string Mode(const SnapshotSyncMode& mode)
{
    _SYNC_MODE_ENTRY entry{mode.code, mode.source, {}};
    SetFieldText(entry.name, mode.name);
    return FormatSyncMode(entry, true);
}

std::string Master(const std::string& serial, const std::string& name)
{
    if (serial == "pc")
        return LoadResString(IDS_PC_DRIVER);
    return name.empty() ? serial : FormatResString(IDS_PLAN_DEVICE, {name, serial});
}

std::string Value(const PlanItem& item, bool then)
{
    const uint32_t value = then ? item.thenValue : item.nowValue;
    const std::string& text = then ? item.then : item.now;
    switch (item.kind) {
    case PlanKind::DeviceName:
    case PlanKind::Ranking:
    case PlanKind::ChannelName: return text;
    case PlanKind::AsioNames: return LoadResString(value ? IDS_PLAN_INCLUDED : IDS_PLAN_NOT_INCLUDED);
    case PlanKind::ClockMaster: return Master(text, then ? item.deviceName : std::string());
    case PlanKind::RateMode: return LoadResString(value ? IDS_PLAN_AUTOMATIC : IDS_PLAN_MANUAL);
    case PlanKind::SyncMode: return Mode(then ? item.thenMode : item.nowMode);
    case PlanKind::Device: return std::string();
    default: return std::to_string(value);
    }
}

}  // namespace

std::string PlanSettingText(const PlanItem& item)
{
    const std::string& name = item.deviceName;
    const std::string& serial = item.serial;
    switch (item.kind) {
    case PlanKind::DeviceName: return FormatResString(IDS_PLAN_DEVICE_NAME, {name, serial});
    case PlanKind::Ranking: return LoadResString(IDS_PLAN_RANKING);
    case PlanKind::ChannelName:
        return FormatResString(item.output ? IDS_PLAN_OUTPUT_NAME : IDS_PLAN_INPUT_NAME,
                               {DecimalText(uint64_t{item.index} + 1), name, serial});
    case PlanKind::AsioNames: return LoadResString(IDS_PLAN_ASIO_NAMES);
    case PlanKind::ClockMaster: return LoadResString(IDS_PLAN_CLOCK_MASTER);
    case PlanKind::RateMode: return LoadResString(IDS_PLAN_RATE_MODE);
    case PlanKind::SyncMode: return FormatResString(IDS_PLAN_SYNC_MODE, {name, serial});
    case PlanKind::StreamDepth: return LoadResString(IDS_PLAN_STREAM_DEPTH);
    case PlanKind::WdmDepth: return LoadResString(IDS_PLAN_WDM_DEPTH);
    case PlanKind::SampleRate: return LoadResString(IDS_PLAN_SAMPLE_RATE);
    case PlanKind::AsioDepth: return LoadResString(IDS_PLAN_ASIO_DEPTH);
    case PlanKind::Device: return FormatResString(IDS_PLAN_DEVICE, {name, serial});
    }
    return std::string();
}

std::string PlanNowText(const PlanItem& item)
{
    if (item.skip == PlanSkip::DeviceMissing || item.skip == PlanSkip::ChannelMissing)
        return std::string();
    return Value(item, false);
}

std::string PlanThenText(const PlanItem& item)
{
    return item.Skipped() ? PlanSkipText(item) : Value(item, true);
}

std::string PlanSkipText(const PlanItem& item)
{
    switch (item.skip) {
    case PlanSkip::None: return std::string();
    case PlanSkip::DeviceMissing: return LoadResString(IDS_SKIP_DEVICE_MISSING);
    case PlanSkip::NotInFile: return LoadResString(IDS_SKIP_NOT_IN_FILE);
    case PlanSkip::ChannelMissing: return LoadResString(IDS_SKIP_CHANNEL_MISSING);
    case PlanSkip::MasterMissing: return LoadResString(IDS_SKIP_MASTER_MISSING);
    case PlanSkip::ModeNotOffered: return LoadResString(IDS_SKIP_MODE_NOT_OFFERED);
    case PlanSkip::RateNotOffered: return LoadResString(IDS_SKIP_RATE_NOT_OFFERED);
    case PlanSkip::DepthOutOfRange:
        return FormatResString(IDS_SKIP_DEPTH_OUT_OF_RANGE,
                               {DecimalText(item.step), DecimalText(item.minimum), DecimalText(item.maximum)});
    }
    return std::string();
}
