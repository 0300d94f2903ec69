#include "ctl/CtlPlanText.h"

#include <cstdio>

#include "ctl/CtlArguments.h"
#include "snapshot/SnapshotJson.h"
#include "text/CodePage.h"
#include "text/ControlText.h"

namespace {

// A plan's text (UTF-8, as the snapshot holds it) as the console shows the driver's
// texts: in the ANSI code page, '?' for what it cannot hold, control characters escaped.
std::string Shown(const std::string& utf8)
{
    return EscapeControlCharacters(AnsiFromUtf8Replacing(utf8));
}

std::string ShownQuoted(const std::string& utf8) { return "\"" + Shown(utf8) + "\""; }

std::string Device(const PlanItem& item)
{
    return "device " + Shown(item.serial) + " (" + Shown(item.deviceName) + ")";
}

std::string Mode(const SyncMode& mode)
{
    char numbers[48];
    std::snprintf(numbers, sizeof numbers, " (mode %u, source 0x%08X)", mode.code, mode.source);
    return Shown(mode.name) + numbers;
}

std::string Master(bool pc, const std::string& serial, const std::string& name)
{
    if (pc)
        return kSnapshotPcClockMaster;
    return Shown(serial) + (name.empty() ? "" : " (" + Shown(name) + ")");
}

std::string Change(const std::string& now, const std::string& then) { return now + " -> " + then; }

std::string Number(uint32_t value, const char* unit) { return std::to_string(value) + unit; }

std::string What(const PlanItem& item)
{
    switch (item.kind) {
    case PlanKind::DeviceName: return Device(item) + " name: " + Change(ShownQuoted(item.now), ShownQuoted(item.then));
    case PlanKind::Ranking: return "ranking: " + Change(Shown(item.now), Shown(item.then));
    case PlanKind::ChannelName:
        return std::string(item.output ? "output " : "input ") + std::to_string(item.index + 1) + " of " +
               Device(item) + " name: " +
               (item.skip == PlanSkip::ChannelMissing ? ShownQuoted(item.then)
                                                   : Change(ShownQuoted(item.now), ShownQuoted(item.then)));
    case PlanKind::AsioNames:
        return "ASIO names include the device name: " + Change(item.nowValue ? "on" : "off", item.thenValue ? "on" : "off");
    case PlanKind::ClockMaster:
        return "clock master: " +
               Change(Master(item.nowIsPc, item.now, ""), Master(item.thenIsPc, item.then, item.deviceName));
    case PlanKind::RateMode:
        return "rate mode: " + Change(item.nowValue ? "automatic" : "manual", item.thenValue ? "automatic" : "manual");
    case PlanKind::SyncMode: return Device(item) + " synchronisation: " + Change(Mode(item.nowMode), Mode(item.thenMode));
    case PlanKind::StreamDepth: return "stream buffer: " + Change(Number(item.nowValue, " us"), Number(item.thenValue, " us"));
    case PlanKind::WdmDepth: return "WDM buffer: " + Change(Number(item.nowValue, " us"), Number(item.thenValue, " us"));
    case PlanKind::AsioDepth: return "ASIO buffer: " + Change(Number(item.nowValue, " us"), Number(item.thenValue, " us"));
    case PlanKind::SampleRate:
        return "sampling rate: " + Change(Number(item.nowValue, " Hz"), Number(item.thenValue, " Hz"));
    case PlanKind::Device: return Device(item);
    }
    return "";
}

// As RuleMessage, without the value: the item's line quotes it already.
std::string NameReason(WriteRule rule)
{
    switch (rule) {
    case WriteRule::NameControlCharacter: return "the name holds a control character";
    case WriteRule::NameTooLong: return "the name is longer than " + std::to_string(kNameFieldSize - 1) + " characters";
    case WriteRule::NameNotInCodePage: return "the name has characters the system's ANSI code page cannot hold";
    default: return RuleMessage(rule);
    }
}

std::string Reason(const PlanItem& item)
{
    switch (item.skip) {
    case PlanSkip::None: return "";
    case PlanSkip::DeviceMissing: return "in the file, not connected: its name, mode and channels are skipped";
    case PlanSkip::NotInFile: return "connected, not in the file: left as it is";
    case PlanSkip::NoSerial: return "without a serial number it cannot be found again: its settings are skipped";
    case PlanSkip::SerialShared: return "two devices report this serial number: its settings are skipped";
    case PlanSkip::ChannelMissing: return "the device has no such channel now";
    case PlanSkip::NameRefused: return NameReason(item.rule);
    case PlanSkip::MasterMissing: return "the clock master is not connected";
    case PlanSkip::MasterUnnamed: return "the snapshot names no device to find the clock master by";
    case PlanSkip::RateModeWithPc: return "with the PC driver as clock master the sampling rate is set by hand";
    case PlanSkip::RateSetByMaster: return "the clock master defines the sampling rate";
    case PlanSkip::ModeNotOffered: return "the device does not offer that mode now";
    case PlanSkip::RateNotOffered: return "the driver does not offer that rate now";
    case PlanSkip::DepthOutOfRange:
        return "the driver takes a multiple of " + std::to_string(item.step) + " from " + std::to_string(item.minimum) +
               " to " + std::to_string(item.maximum) + " us";
    }
    return "";
}

}  // namespace

std::string UnrestorableLine(const PlanItem& item)
{
    std::string what;
    switch (item.kind) {
    case PlanKind::DeviceName: what = Device(item) + " name " + ShownQuoted(item.then); break;
    case PlanKind::ChannelName:
        what = std::string(item.output ? "output " : "input ") + std::to_string(item.index + 1) + " of " + Device(item) +
               " name " + ShownQuoted(item.then);
        break;
    case PlanKind::ClockMaster: what = "clock master"; break;
    case PlanKind::RateMode: what = item.thenValue ? "rate mode automatic" : "rate mode manual"; break;
    default: what = Device(item); break;
    }
    return what + ": " + Reason(item);
}

std::string PlanItemLine(const PlanItem& item)
{
    const std::string what = What(item);
    return item.Skipped() ? what + ": skipped, " + Reason(item) : what;
}

std::string OutcomeLine(const PlanItem& item, const ItemResult& result)
{
    switch (result.outcome) {
    case ItemOutcome::Applied: return "applied:  " + What(item);
    case ItemOutcome::Refused:
        return "refused:  " + What(item) + ": " +
               (result.rule != WriteRule::None ? NameReason(result.rule) : CtlRefused(result.refused).message);
    case ItemOutcome::Skipped: return "skipped:  " + What(item) + ": " + Reason(item);
    case ItemOutcome::NotHeld:
        if (item.kind == PlanKind::Ranking)
            return "not held: " + What(item) + ": the driver holds " + Shown(result.heldOrder) +
                   (result.refused.Ok() ? "" : "; " + CtlRefused(result.refused).message);
        return "not held: " + What(item) + ": the driver took it but reads back otherwise";
    case ItemOutcome::Planned: return "not sent: " + What(item);
    }
    return "";
}
