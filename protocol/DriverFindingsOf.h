// What one read of the driver found, as its changes are told (protocol/DriverChanges.h),
// made from what the one reader read: the conversion ovxctl watch makes, and the panel
// can make from the same reads.
#pragma once

#include "protocol/DriverChanges.h"
#include "protocol/DriverState.h"

// driverReached: the device list was answered. The devices with their names and serial
// numbers; the rate, 0 when it was not read; the clock master when it was read; the
// streaming verdict and the first failed audio plug (its device's name and its error,
// audio out before audio in) as the streams page tells them, where a device whose
// stream status was not read counts for neither.
DriverFindings FindingsOf(const DriverState& state, bool driverReached);
