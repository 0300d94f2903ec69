#include "protocol/BufferDepthWrite.h"

#include "driver/BufferLimits.h"
#include "driver/ControlCodes.h"

namespace {

uint32_t MinimumOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth)
{
    return kind == BufferKind::Stream ? depth.stream.minimum : depth.audio.minimum;
}

uint32_t StepOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth)
{
    return kind == BufferKind::Stream ? depth.stream.step : depth.audio.step;
}

bool RestartsStreaming(BufferKind kind) { return kind != BufferKind::Asio; }

}  // namespace

uint32_t CurrentOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth)
{
    return kind == BufferKind::Stream ? depth.stream.current : depth.audio.current;
}

DepthScale ScaleOf(BufferKind kind, const _BUFFER_DEPTH_INFO& depth)
{
    const uint32_t step = StepOf(kind, depth);
    const uint32_t limit = kind == BufferKind::Stream ? kStreamDepthLimit : kAudioDepthLimit;
    const uint32_t minimum = MinimumOf(kind, depth);
    return {minimum, step == 0 ? 0 : minimum / step * step, step, limit};
}

WriteOutcome SetBufferDepth(COvx1394Driver& drv, BufferKind kind, const _BUFFER_DEPTH_INFO& asRead, uint32_t depth)
{
    const DepthScale scale = ScaleOf(kind, asRead);
    if (!scale.Usable())
        return WriteOutcome::Refused(WriteRule::DepthWithoutRange);
    if (!scale.Offers(depth))
        return WriteOutcome::Refused(WriteRule::DepthOffTheScale);
    _BUFFER_DEPTH_INFO changed = asRead;
    WriteOutcome outcome;
    switch (kind) {
    case BufferKind::Stream:
        changed.stream.current = depth;
        outcome.refused.Note(OvxIoctl::SetStreamBufferDepth, drv.SetStreamBufferDepth(&changed));
        break;
    case BufferKind::Asio:
        changed.audio.current = depth;
        outcome.refused.Note(OvxIoctl::SetAsioBufferDepth, drv.SetAsioBufferDepth(&changed));
        break;
    case BufferKind::Wdm:
        changed.audio.current = depth;
        outcome.refused.Note(OvxIoctl::SetWdmBufferDepth, drv.SetWdmBufferDepth(&changed));
        break;
    }
    if (!RestartsStreaming(kind))
        return outcome;
    const DrvResult stop = drv.StopStreaming();
    outcome.refused.Note(OvxIoctl::StopStreaming, stop);
    const DrvResult start = drv.StartStreaming();
    if (stop == DRV_OK)
        outcome.restart.Note(OvxIoctl::StartStreaming, start);
    return outcome;
}
