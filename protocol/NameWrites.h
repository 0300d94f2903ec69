// Renaming a device or a channel, and the option that puts the device's name into the
// channels' ASIO display names. A rename sends the record as the driver last gave it
// with only its name changed, so that every other field goes back exactly as it came.
#pragma once

#include <string_view>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/WriteOutcome.h"

// The name is ANSI and must pass the name rule (protocol/NameRule.h).
WriteOutcome RenameDevice(COvx1394Driver& drv, const _OVX_DEVICE_PROPERTIES& device, std::string_view name);
WriteOutcome RenameChannel(COvx1394Driver& drv, const _OVX_CHANNEL_PROPERTIES& channel, std::string_view name);

WriteOutcome SetAsioNamesIncludeDevice(COvx1394Driver& drv, bool include);
