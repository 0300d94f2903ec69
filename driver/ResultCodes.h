// Result codes: 0 is success, anything else a system error code, one of the
// driver's own 0xE00000xx codes, or one of the panel's own codes below.
#pragma once

#include <cstdint>

using DrvResult = uint32_t;

// The system's error codes that requests fail with.
namespace WinError {
constexpr DrvResult InvalidFunction = 1;       // unknown control code
constexpr DrvResult FileNotFound = 2;          // no such control device
constexpr DrvResult InvalidHandle = 6;
constexpr DrvResult DevNotExist = 55;          // no device or channel with that id
constexpr DrvResult InvalidParameter = 87;     // wrong input size or value
constexpr DrvResult InsufficientBuffer = 122;  // output buffer too small
constexpr DrvResult NoMoreItems = 259;         // no pending event
constexpr DrvResult NoAccess = 998;            // a buffer that is not there
constexpr DrvResult DeviceNotConnected = 1167; // a handle whose driver was unloaded
}  // namespace WinError

constexpr DrvResult DRV_OK = 0;

// The panel's own codes.
constexpr DrvResult ERROR_DRV_THREAD = 0xE0000001;             // the notifier's thread
constexpr DrvResult ERROR_DRV_NOT_OPEN = 0xE0000013;           // no control device open
constexpr DrvResult ERROR_DRV_INTERFACE_VERSION = 0xE0000014;  // unsupported driver interface
// The driver reported success but wrote less than the whole record: the rest would be
// whatever the buffer held, so the answer counts as none.
constexpr DrvResult ERROR_DRV_SHORT_ANSWER = 0xE0000015;
// Two reads of the device list that one picture of the driver needs disagreed: a
// device came or went between them.
constexpr DrvResult ERROR_DRV_LIST_CHANGED = 0xE0000016;
// A handler given a row whose record index is outside the model's array.
constexpr DrvResult ERROR_DRV_INVALID_ARGUMENT = WinError::InvalidParameter;

// The driver's codes that the panel recognises.
constexpr DrvResult ERROR_DRV_FCP_NEGATIVE_RESPONSE = 0xE0000022;
constexpr DrvResult ERROR_DRV_WDM_DEVICE_IN_USE = 0xE0000047;  // from SetSampleRate only
constexpr DrvResult ERROR_DRV_CHANNEL_ALLOCATION = 0xE0000072;
constexpr DrvResult ERROR_DRV_BANDWIDTH_ALLOCATION = 0xE0000073;
constexpr DrvResult ERROR_DRV_ISO_RESOURCE_ALLOCATION = 0xE0000074;
constexpr DrvResult ERROR_DRV_START_STREAMING = 0xE0000076;
constexpr DrvResult ERROR_DRV_CHANNEL_CHANGED = 0xE0000077;
constexpr DrvResult ERROR_DRV_RATE_NOT_SUPPORTED = 0xE0000080;
