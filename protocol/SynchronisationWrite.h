// The clock master, the sampling rate mode and the devices' synchronisation modes:
// they change only while nothing streams, so they are written in one frame,
// StopStreaming ... StartStreaming. When streaming cannot be stopped nothing of the
// frame is sent; a frame that was opened is always closed.
#pragma once

#include <cstdint>
#include <vector>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/WriteOutcome.h"

struct SynchronisationSettings {
    _CLOCK_SOURCE_INFO clockSource{};   // the master to be; its first word as the driver gave it
    bool sendClockSource = true;        // false: the driver holds this master already
    uint32_t rateMode = 0;              // 0: the rate is set by hand; otherwise the master defines it
    bool sendRateMode = true;           // false: the driver holds this mode already
    // Each record's current entry is the mode to set; the head of each is sent.
    std::vector<const _DEVICE_SYNC_MODE_INFO*> syncModes;
};

// The rate mode that goes with a clock master: the PC driver as master has no device
// to follow, so its rate is always set by hand. No other pair is ever sent.
uint32_t RateModeWith(const _CLOCK_SOURCE_INFO& clockSource, uint32_t wanted);

struct SynchronisationOutcome {
    WriteOutcome outcome;
    bool framed = false;                  // StopStreaming was taken and the writes were sent
    DrvResult clockSource = DRV_OK;       // each part's result, DRV_OK where it was not sent
    DrvResult rateMode = DRV_OK;
    std::vector<DrvResult> syncModes;     // one per record of the settings
};

SynchronisationOutcome ApplySynchronisation(COvx1394Driver& drv, const SynchronisationSettings& settings);
