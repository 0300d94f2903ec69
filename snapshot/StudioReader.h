// Reads everything a snapshot holds from the driver, once, into a StudioState. A
// restore plans only on a complete read: any request that fails ends the read with
// its name and code, and nothing is written on a partial picture of the driver.
#pragma once

#include "driver/Ovx1394Driver.h"
#include "snapshot/StudioState.h"

struct StudioReadResult {
    DrvResult code = DRV_OK;
    const char* request = "";   // the request that failed
    bool Ok() const { return code == DRV_OK; }
};

class CStudioReader {
public:
    explicit CStudioReader(COvx1394Driver& drv) : m_drv(drv) {}

    // withInformation also reads what only the file's reader is told: the plugs of
    // every device and the drop-out count, with the date and the computer's name.
    StudioReadResult Read(StudioState& state, bool withInformation);

private:
    StudioReadResult ReadDevices(StudioState& state);
    StudioReadResult ReadChannels(StudioState& state);
    StudioReadResult ReadSettings(StudioState& state);
    StudioReadResult ReadInformation(StudioState& state);

    COvx1394Driver& m_drv;
};

// The snapshot of a state's records (everything but the information).
void DescribeState(StudioState& state);
