#include "history/HistoryText.h"

#include "res/HistoryTexts.h"
#include "text/FormatText.h"
#include "text/RateText.h"
#include "text/StreamText.h"
#include "text/TimeText.h"

HistoryTexts DefaultHistoryTexts()
{
    return {TXT_HISTORY_DRIVER_GONE,    TXT_HISTORY_DRIVER_BACK,      TXT_HISTORY_DEVICE_CONNECTED,
            TXT_HISTORY_DEVICE_GONE,    TXT_HISTORY_STREAMING_STOPPED, TXT_HISTORY_STREAMING_FAILED,
            TXT_HISTORY_STREAMING_BACK, TXT_HISTORY_RATE_CHANGED,     TXT_HISTORY_CLOCK_MASTER,
            TXT_HISTORY_PC_DRIVER,      TXT_HISTORY_DROP_OUTS,        TXT_HISTORY_RESTORED,
            TXT_HISTORY_RESUMED,        TXT_HISTORY_BY_PANEL,         TXT_HISTORY_FROM_OUTSIDE};
}

std::string HistoryEventText(const HistoryEntry& entry, const HistoryTexts& texts)
{
    const std::string& byWhom = entry.byPanel ? texts.byPanel : texts.fromOutside;
    switch (entry.kind) {
    case HistoryKind::DriverGone: return texts.driverGone;
    case HistoryKind::DriverBack: return texts.driverBack;
    case HistoryKind::DeviceConnected: return texts.deviceConnected;
    case HistoryKind::DeviceGone: return texts.deviceGone;
    case HistoryKind::StreamingStopped:
        if (entry.failureCode == 0)
            return texts.streamingStopped;
        return FillFormat(texts.streamingFailed, {FormatStreamError(entry.failureCode)});
    case HistoryKind::StreamingBack: return texts.streamingBack;
    case HistoryKind::RateChanged:
        return FillFormat(texts.rateChanged, {FormatSampleRate(entry.before), FormatSampleRate(entry.after), byWhom});
    case HistoryKind::ClockMasterChanged:
        return FillFormat(texts.clockMaster,
                          {entry.masterIsPc ? texts.pcDriver : HistoryDeviceText(entry), byWhom});
    case HistoryKind::DropOuts: return FillFormat(texts.dropOuts, {DecimalText(entry.count)});
    case HistoryKind::SnapshotRestored: return FillFormat(texts.restored, {entry.detail});
    case HistoryKind::Resumed: break;
    }
    return texts.resumed;
}

std::string HistoryDeviceText(const HistoryEntry& entry)
{
    if (entry.device.empty() && entry.serial.empty())
        return {};
    return entry.serial.empty() ? entry.device : entry.device + " (" + entry.serial + ")";
}

std::string HistoryTimeText(const HistoryEntry& entry)
{
    return LocalTimeText(entry.when);
}

std::string HistoryLine(const HistoryEntry& entry, const HistoryTexts& texts)
{
    std::string line = HistoryTimeText(entry) + "\t" + HistoryEventText(entry, texts);
    if (const std::string device = HistoryDeviceText(entry); !device.empty())
        line += "\t" + device;
    return line;
}
