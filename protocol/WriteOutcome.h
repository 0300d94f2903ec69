// How a named write of the driver layer ended. A rule of the operation may refuse the
// values before anything is sent; otherwise the first of its requests the driver
// refused is named by the catalogue with its code. A frame whose StartStreaming was
// refused after its StopStreaming was taken says so apart: the write itself may have
// been taken, and streaming is left stopped.
#pragma once

#include "driver/RequestFailure.h"

// The rule of an operation that refused its values; nothing was sent.
enum class WriteRule {
    None,
    NameControlCharacter,      // a name holds no control character,
    NameTooLong,               // ... at most 39 characters
    NameNotInCodePage,         // ... each of them one the driver's code page holds
    RankingNotAnOrder,         // every device gets a place of its own
    RateSetByClockMaster,      // a rate is set only while it is set manually
    RateNotOffered,            // ... and only one the driver offers
    DepthWithoutRange,         // the driver reports no step, or a minimum above the limit
    DepthOffTheScale,          // a depth is one of the positions the scale offers
};

struct WriteOutcome {
    WriteRule rule = WriteRule::None;
    RequestFailure refused;   // the first request the driver refused, the frame's restart aside
    RequestFailure restart;   // a frame stopped streaming and its StartStreaming was refused

    bool Ok() const { return rule == WriteRule::None && refused.Ok() && restart.Ok(); }
    bool Sent() const { return rule == WriteRule::None; }
    bool StreamingLeftStopped() const { return !restart.Ok(); }

    static WriteOutcome Refused(WriteRule rule) { return {rule, {}, {}}; }
    static WriteOutcome Of(uint32_t request, DrvResult code) { return {WriteRule::None, {request, code}, {}}; }
};
