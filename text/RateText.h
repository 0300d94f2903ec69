// A sampling rate as the panel, its tray and its history show it.
#pragma once

#include <cstdint>
#include <string>

// "44.1 kHz": kilohertz with one decimal, cut rather than rounded.
std::string FormatSampleRate(uint32_t rateHz);
