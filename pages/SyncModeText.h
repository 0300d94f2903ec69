// The texts of synchronisation modes and sampling rates, shared by the
// synchronisation page and its dialog.
#pragma once
#include <cstdint>
#include <string>
#include "driver/DriverRecords.h"

// The mode code's text, then " (name)" when withName is set and the name is not empty.
std::string FormatSyncMode(const _SYNC_MODE_ENTRY& entry, bool withName);

// "44.1 kHz": kilohertz with one decimal, cut rather than rounded.
std::string FormatSampleRate(uint32_t rateHz);
