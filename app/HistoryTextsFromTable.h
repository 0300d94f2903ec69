// The words of the event history's entries as the panel's string table holds them
// (the IDS_HISTORY_ strings of res/HistoryTexts.h), for whatever the panel shows or
// writes of its history.
#pragma once

#include "history/HistoryText.h"

HistoryTexts LoadHistoryTexts();
