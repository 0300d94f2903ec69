#include "protocol/SampleRateWrite.h"

#include <algorithm>

#include "driver/ControlCodes.h"

WriteRule CheckSampleRate(uint32_t rateMode, const _SAMPLE_RATE_INFO& offered, uint32_t hz)
{
    if (rateMode != 0)
        return WriteRule::RateSetByClockMaster;
    const uint32_t* end = offered.rates + std::min(offered.rateCount, kMaxSampleRates);
    if (hz == 0 || std::find(offered.rates, end, hz) == end)
        return WriteRule::RateNotOffered;
    return WriteRule::None;
}

WriteOutcome SetSampleRate(COvx1394Driver& drv, uint32_t rateMode, const _SAMPLE_RATE_INFO& offered, uint32_t hz)
{
    if (const WriteRule broken = CheckSampleRate(rateMode, offered, hz); broken != WriteRule::None)
        return WriteOutcome::Refused(broken);
    return WriteOutcome::Of(OvxIoctl::SetSampleRate, drv.SetSampleRate(hz));
}
