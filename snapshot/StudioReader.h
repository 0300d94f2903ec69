// Reads everything a snapshot holds from the driver, once, into a StudioState, through
// the one reader (protocol/DriverReader.h). A snapshot is saved, compared or restored
// only from a read in which nothing failed: the first failure is returned, and the
// callers write nothing on a partial picture of the driver.
#pragma once

#include "driver/Ovx1394Driver.h"
#include "driver/RequestFailure.h"
#include "snapshot/StudioState.h"

class CStudioReader {
public:
    explicit CStudioReader(COvx1394Driver& drv) : m_drv(drv) {}

    // withInformation also reads what only the file's reader is told: the plugs of
    // every device and the drop-out count, with the date and the computer's name.
    RequestFailure Read(StudioState& state, bool withInformation);

private:
    COvx1394Driver& m_drv;
};

// The snapshot of a state's records (everything but the information), its texts in UTF-8.
void DescribeState(StudioState& state);

// A driver's synchronisation mode as a snapshot holds it, its name in UTF-8.
SyncMode SnapshotModeOf(const _SYNC_MODE_ENTRY& entry);
