// The lines ovxctl watch prints, one per change: the event history's line (local time,
// event and device, separated by tabs), or with --json one object on one line (README,
// "ovxctl watch"). The driver's texts show their control characters as \xNN in the line;
// the JSON is plain ASCII, as ovxctl's other JSON.
#pragma once

#include <string>

#include "history/EventHistory.h"
#include "history/HistoryText.h"

std::string WatchTextLine(const HistoryEntry& entry, const HistoryTexts& texts);
std::string WatchJsonLine(const HistoryEntry& entry);
