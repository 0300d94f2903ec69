#include "ctl/CtlWatchLine.h"

#include <nlohmann/json.hpp>

#include "snapshot/SnapshotJson.h"
#include "text/CodePage.h"
#include "text/ControlText.h"
#include "text/DriverErrorText.h"
#include "text/TimeText.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Text(const std::string& ansi) { return Utf8FromAnsiReplacing(ansi); }

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
    Json json = {{"time", UtcTimeText(entry.when)}, {"kind", HistoryKindName(entry.kind)}, {"byPanel", entry.byPanel}};
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
