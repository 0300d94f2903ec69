#include "pages/PlanItemText.h"

#include "driver/RecordText.h"
#include "pages/SyncModeText.h"
#include "text/CodePage.h"
#include "res/resource.h"
#include "text/FormatText.h"
#include "ui/ResourceText.h"

namespace {

// A plan's text (UTF-8, as the snapshot holds it) as the panel's controls show the
// driver's texts: in the ANSI code page, '?' for what it cannot hold.
std::string Shown(const std::string& utf8)
{
    return AnsiFromUtf8Replacing(utf8);
}

std::string Mode(const SyncMode& mode)
{
    _SYNC_MODE_ENTRY entry{mode.code, mode.source, {}};
    SetFieldText(entry.name, Shown(mode.name));
    return FormatSyncMode(entry, true);
}

std::string Master(bool pc, const std::string& serial, const std::string& name)
{
    if (pc)
        return LoadResString(IDS_PC_DRIVER);
    return name.empty() ? Shown(serial) : FormatResString(IDS_PLAN_DEVICE, {Shown(name), Shown(serial)});
}

std::string Value(const PlanItem& item, bool then)
{
    const uint32_t value = then ? item.thenValue : item.nowValue;
    const std::string& text = then ? item.then : item.now;
    switch (item.kind) {
    case PlanKind::DeviceName:
    case PlanKind::Ranking:
    case PlanKind::ChannelName: return Shown(text);
    case PlanKind::AsioNames: return LoadResString(value ? IDS_PLAN_INCLUDED : IDS_PLAN_NOT_INCLUDED);
    case PlanKind::ClockMaster:
        return Master(then ? item.thenIsPc : item.nowIsPc, text, then ? item.deviceName : std::string());
    case PlanKind::RateMode: return LoadResString(value ? IDS_PLAN_AUTOMATIC : IDS_PLAN_MANUAL);
    case PlanKind::SyncMode: return Mode(then ? item.thenMode : item.nowMode);
    case PlanKind::Device: return std::string();
    default: return std::to_string(value);
    }
}

}  // namespace

std::string PlanSettingText(const PlanItem& item)
{
    const std::string name = Shown(item.deviceName);
    const std::string serial = Shown(item.serial);
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
    if (item.skip == PlanSkip::DeviceMissing || item.skip == PlanSkip::ChannelMissing ||
        item.skip == PlanSkip::NoSerial || item.skip == PlanSkip::SerialShared || item.skip == PlanSkip::MasterUnnamed)
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
    case PlanSkip::NoSerial: return LoadResString(IDS_SKIP_NO_SERIAL);
    case PlanSkip::SerialShared: return LoadResString(IDS_SKIP_SERIAL_SHARED);
    case PlanSkip::MasterUnnamed: return LoadResString(IDS_SKIP_MASTER_UNNAMED);
    case PlanSkip::RateModeWithPc: return LoadResString(IDS_SKIP_RATE_MODE_WITH_PC);
    case PlanSkip::RateSetByMaster: return LoadResString(IDS_SKIP_RATE_SET_BY_MASTER);
    case PlanSkip::NameRefused:
        switch (item.rule) {
        case WriteRule::NameControlCharacter: return LoadResString(IDS_SKIP_NAME_CONTROL);
        case WriteRule::NameTooLong: return LoadResString(IDS_SKIP_NAME_TOO_LONG);
        default: return LoadResString(IDS_SKIP_NAME_CODE_PAGE);
        }
    case PlanSkip::ModeNotOffered: return LoadResString(IDS_SKIP_MODE_NOT_OFFERED);
    case PlanSkip::RateNotOffered: return LoadResString(IDS_SKIP_RATE_NOT_OFFERED);
    case PlanSkip::DepthOutOfRange:
        return FormatResString(IDS_SKIP_DEPTH_OUT_OF_RANGE,
                               {DecimalText(item.step), DecimalText(item.minimum), DecimalText(item.maximum)});
    }
    return std::string();
}
