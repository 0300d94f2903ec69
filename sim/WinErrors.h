// The Windows error codes a driver's failures reach the caller as.
#pragma once

#include <cstdint>

namespace WinError {
constexpr uint32_t InvalidFunction = 1;       // unknown control code
constexpr uint32_t FileNotFound = 2;          // no such control device
constexpr uint32_t InvalidHandle = 6;
constexpr uint32_t DevNotExist = 55;          // no device or channel with that id
constexpr uint32_t InvalidParameter = 87;     // wrong input size or value
constexpr uint32_t InsufficientBuffer = 122;  // output buffer too small
constexpr uint32_t NoMoreItems = 259;         // no pending event
constexpr uint32_t NoAccess = 998;            // a buffer that is not there
constexpr uint32_t DeviceNotConnected = 1167; // a handle whose driver was unloaded
}  // namespace WinError
