// The texts of the streams page: a plug's state, its details paragraph, a driver
// error and the list of supported rates.
#pragma once
#include <cstdint>
#include <string>
#include "driver/DriverRecords.h"

// "Error code 0x%08X: " and the code's explanation (nothing for an unlisted code).
std::string FormatStreamError(uint32_t code);
// "connected (n)", "connect failed" or nothing.
std::string FormatPlugState(const _PLUG_STATUS& plug);
// The paragraph of a connected or failed plug under its label; nothing otherwise.
std::string FormatPlugDetails(const _PLUG_STATUS& plug, const char* label);
// "Supported sampling rates (Hz): " and each rate, markedRate in square brackets.
std::string FormatSupportedRates(uint32_t rateCount, const uint32_t (&rates)[kMaxSampleRates], uint32_t markedRate);

// The four plugs of a stream status, in the order of the list's columns.
const _PLUG_STATUS& PlugOf(const _STREAM_INFO& info, int index);
extern const char* const kPlugLabels[4];
