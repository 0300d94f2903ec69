#include "app/HistoryTextsFromTable.h"

#include "res/HistoryTexts.h"
#include "ui/ResourceText.h"

HistoryTexts LoadHistoryTexts()
{
    HistoryTexts texts;
    texts.driverGone = LoadResString(IDS_HISTORY_DRIVER_GONE);
    texts.driverBack = LoadResString(IDS_HISTORY_DRIVER_BACK);
    texts.deviceConnected = LoadResString(IDS_HISTORY_DEVICE_CONNECTED);
    texts.deviceGone = LoadResString(IDS_HISTORY_DEVICE_GONE);
    texts.streamingStopped = LoadResString(IDS_HISTORY_STREAMING_STOPPED);
    texts.streamingFailed = LoadResString(IDS_HISTORY_STREAMING_FAILED);
    texts.streamingBack = LoadResString(IDS_HISTORY_STREAMING_BACK);
    texts.rateChanged = LoadResString(IDS_HISTORY_RATE_CHANGED);
    texts.clockMaster = LoadResString(IDS_HISTORY_CLOCK_MASTER);
    texts.pcDriver = LoadResString(IDS_HISTORY_PC_DRIVER);
    texts.dropOuts = LoadResString(IDS_HISTORY_DROP_OUTS);
    texts.restored = LoadResString(IDS_HISTORY_RESTORED);
    texts.resumed = LoadResString(IDS_HISTORY_RESUMED);
    texts.byPanel = LoadResString(IDS_HISTORY_BY_PANEL);
    texts.fromOutside = LoadResString(IDS_HISTORY_FROM_OUTSIDE);
    return texts;
}
