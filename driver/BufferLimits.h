// The largest buffer depths offered for setting, in microseconds: the driver reports
// minimum and step, the upper ends are the panel's.
#pragma once

#include <cstdint>

constexpr uint32_t kStreamDepthLimit = 10000;
constexpr uint32_t kAudioDepthLimit = 40000;   // the ASIO and the WDM buffer
