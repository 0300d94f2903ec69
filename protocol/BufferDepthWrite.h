// The stream, ASIO and WDM buffer depths. A depth is one of the positions the panel's
// scale offers for it: a multiple of the driver's step from the step below its minimum
// up to the panel's limit. The stream and WDM buffers take effect when streaming
// restarts, so their write is followed by StopStreaming and StartStreaming; the ASIO
// buffer changes without a restart.
#pragma once

#include <cstdint>

#include "driver/DriverRecords.h"
#include "driver/Ovx1394Driver.h"
#include "protocol/DriverState.h"
#include "protocol/WriteOutcome.h"

// The positions a depth may take, in microseconds.
struct DepthScale {
    uint32_t minimum = 0;  // the driver's
    uint32_t lowest = 0;   // the first position: the minimum rounded down to the step
    uint32_t step = 0;
    uint32_t limit = 0;    // the panel's upper end

    // A step, and a minimum within the limit: anything else has no positions to offer.
    bool Usable() const { return step != 0 && minimum <= limit; }
    bool Offers(uint32_t depth) const { return Usable() && depth % step == 0 && depth >= lowest && depth <= limit; }
};

// The record's current depth in the buffer's own layout, and its scale.
uint32_t CurrentOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth);
DepthScale ScaleOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth);

// asRead: the buffer's record as the driver last gave it; only its current depth
// changes. Streaming is restarted after the write even when the write was refused,
// so that it never stays stopped by the panel.
WriteOutcome SetBufferDepth(COvx1394Driver& drv, BufferKind kind, const _BUFFER_DEPTH_INFO& asRead, uint32_t depth);
