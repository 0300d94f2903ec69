// The sampling rate. It is set only while the rate is set by hand (otherwise the clock
// master defines it, and a rate sent would fight it) and only to a rate the driver
// offers.
#pragma once

#include <cstdint>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/WriteOutcome.h"

// None, or the rule that keeps the rate from being set. rateMode is the mode the caller
// holds (0: by hand); offered is the driver's record of its rates.
WriteRule CheckSampleRate(uint32_t rateMode, const _SAMPLE_RATE_INFO& offered, uint32_t hz);

WriteOutcome SetSampleRate(COvx1394Driver& drv, uint32_t rateMode, const _SAMPLE_RATE_INFO& offered, uint32_t hz);
