// The texts of synchronisation modes, shared by the synchronisation page and its
// dialog; a sampling rate's text is text/RateText.h.
#pragma once
#include <cstdint>
#include <string>
#include "driver/DriverRecords.h"
#include "text/RateText.h"

// The mode code's text, then " (name)" when withName is set and the name is not empty.
std::string FormatSyncMode(const _SYNC_MODE_ENTRY& entry, bool withName);

