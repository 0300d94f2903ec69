// The texts of the event history's entries: the event, the device and the local time,
// and one line of all three for a text file, the clipboard, the support report and
// ovxctl watch. The words come from the string table in the panel and from the same
// texts compiled in elsewhere (res/HistoryTexts.h).
#pragma once

#include <string>

#include "history/EventHistory.h"

struct HistoryTexts {
    std::string driverGone;
    std::string driverBack;
    std::string deviceConnected;
    std::string deviceGone;
    std::string streamingStopped;
    std::string streamingFailed;    // "%s": the failed plug's error
    std::string streamingBack;
    std::string rateChanged;        // "%s%s%s": before, after, by whom
    std::string clockMaster;        // "%s%s": the master, by whom
    std::string pcDriver;
    std::string dropOuts;           // "%s": the count
    std::string restored;           // "%s": the summary
    std::string resumed;
    std::string byPanel;
    std::string fromOutside;
};

// The texts compiled in, for a program without the panel's string table.
HistoryTexts DefaultHistoryTexts();

std::string HistoryEventText(const HistoryEntry& entry, const HistoryTexts& texts);
// "Zemra Desk 4 (ZD4-0019-82)", the name alone without a serial, empty for no device.
std::string HistoryDeviceText(const HistoryEntry& entry);
// Local time: "2026-12-10 14:03:07".
std::string HistoryTimeText(const HistoryEntry& entry);
// Time, event and device, separated by tabs, the device left out when there is none.
std::string HistoryLine(const HistoryEntry& entry, const HistoryTexts& texts);
