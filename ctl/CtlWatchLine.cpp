#include "ctl/CtlWatchLine.h"

#include <ctime>
#include <nlohmann/json.hpp>

#include "ctl/CtlOutcome.h"
#include "snapshot/SnapshotJson.h"
#include "text/CodePage.h"
#include "text/ControlText.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Text(const std::string& ansi) { return Utf8FromAnsiReplacing(ansi); }

const char* KindName(HistoryKind kind)
{
    switch (kind) {
    case HistoryKind::DriverGone: return "driverGone";
    case HistoryKind::DriverBack: return "driverBack";
    case HistoryKind::DeviceConnected: return "deviceConnected";
    case HistoryKind::DeviceGone: return "deviceGone";
    case HistoryKind::StreamingStopped: return "streamingStopped";
    case HistoryKind::StreamingBack: return "streamingBack";
    case HistoryKind::RateChanged: return "rateChanged";
    case HistoryKind::ClockMasterChanged: return "clockMasterChanged";
    case HistoryKind::DropOuts: return "dropOuts";
    case HistoryKind::SnapshotRestored: return "snapshotRestored";
    case HistoryKind::Resumed: break;
    }
    return "resumed";
}

// UTC, so that a line means the same moment wherever it is read: "2026-12-10T13:03:07Z".
std::string UtcText(std::chrono::system_clock::time_point when)
{
    const std::time_t time = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &time);
#else
    gmtime_r(&time, &utc);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

// A master's id as a change holds it: 0 is the PC driver.
Json MasterJson(bool pc, uint32_t deviceId)
{
    if (pc)
        return {{"kind", kSnapshotPcClockMaster}};
    return {{"kind", "device"}, {"deviceId", deviceId}};
}

}  // namespace

std::string WatchTextLine(const HistoryEntry& entry, const HistoryTexts& texts)
{
    HistoryEntry shown = entry;
    shown.device = EscapeControlCharacters(entry.device);
    shown.serial = EscapeControlCharacters(entry.serial);
    shown.detail = EscapeControlCharacters(entry.detail);
    return HistoryLine(shown, texts);
}

std::string WatchJsonLine(const HistoryEntry& entry)
{
    Json json = {{"time", UtcText(entry.when)}, {"kind", KindName(entry.kind)}, {"byPanel", entry.byPanel}};
    if (!entry.device.empty())
        json["device"] = Text(entry.device);
    if (!entry.serial.empty())
        json["serial"] = Text(entry.serial);
    switch (entry.kind) {
    case HistoryKind::RateChanged:
        json["rates"] = {{"before", entry.before}, {"after", entry.after}};
        break;
    case HistoryKind::ClockMasterChanged:
        json["master"] = MasterJson(entry.masterIsPc, entry.after);
        json["previousMaster"] = MasterJson(entry.before == 0, entry.before);
        break;
    case HistoryKind::StreamingStopped:
        if (entry.failureCode != 0)
            json["failure"] = {{"code", entry.failureCode}, {"text", Text(ResultText(entry.failureCode))}};
        break;
    case HistoryKind::DropOuts:
        json["count"] = entry.count;
        break;
    case HistoryKind::SnapshotRestored:
        json["detail"] = Text(entry.detail);
        break;
    default:
        break;
    }
    // The texts are valid UTF-8 by conversion; should one not be, it is replaced, not thrown.
    return json.dump(-1, ' ', true, Json::error_handler_t::replace);
}
