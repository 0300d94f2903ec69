#include "protocol/SynchronisationWrite.h"

#include "driver/ControlCodes.h"
#include "driver/RecordLists.h"

uint32_t RateModeWith(const _CLOCK_SOURCE_INFO& clockSource, uint32_t wanted)
{
    return clockSource.masterFlag == 0 ? 0 : wanted;
}

SynchronisationOutcome ApplySynchronisation(COvx1394Driver& drv, const SynchronisationSettings& settings)
{
    SynchronisationOutcome result;
    result.syncModes.assign(settings.syncModes.size(), DRV_OK);
    RequestFailure& refused = result.outcome.refused;
    if (const DrvResult stop = drv.StopStreaming(); stop != DRV_OK) {
        refused = {OvxIoctl::StopStreaming, stop};
        return result;
    }
    result.framed = true;
    const uint32_t rateMode = RateModeWith(settings.clockSource, settings.rateMode);
    if (settings.sendClockSource) {
        result.clockSource = drv.SetClockSource(&settings.clockSource);
        refused.Note(OvxIoctl::SetClockSource, result.clockSource);
    }
    // A driver that holds the PC as master with the rate set by the master is put right.
    if (settings.sendRateMode || rateMode != settings.rateMode) {
        result.rateMode = drv.SetRateMode(rateMode);
        refused.Note(OvxIoctl::SetRateMode, result.rateMode);
    }
    refused.Note(StoreSyncModeRecords(drv, settings.syncModes, result.syncModes));
    result.outcome.restart.Note(OvxIoctl::StartStreaming, drv.StartStreaming());
    return result;
}
