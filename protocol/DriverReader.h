// The one reader of the driver's state for ovxctl's reports and studio snapshots. It
// reads each part through the same code as the device model that the pages refresh
// (driver/RecordLists.h) and with the same failure policy: a list that cannot be read
// is empty, a record that cannot be read is left out (a device's stream status is left
// unread), everything else is still read, and the first request that failed is
// returned with its code. Callers that need the whole picture refuse on that failure.
#pragma once

#include "driver/Ovx1394Driver.h"
#include "driver/RequestFailure.h"
#include "protocol/DriverState.h"

class CDriverReader {
public:
    explicit CDriverReader(COvx1394Driver& drv) : m_drv(drv) {}

    RequestFailure Version(DriverState& state);
    RequestFailure Devices(DriverState& state);
    // The devices' synchronisation records from a second read of the device list,
    // paired with the devices already read by device id. A device whose record is
    // missing gets an empty record, and the read fails: with GetDeviceSyncMode's code
    // when the driver refused it, with ERROR_DRV_LIST_CHANGED when the lists differed.
    RequestFailure SyncModes(DriverState& state);
    RequestFailure Channels(DriverState& state, bool output);
    RequestFailure AsioNameOption(DriverState& state);
    RequestFailure ClockSource(DriverState& state);
    RequestFailure RateMode(DriverState& state);
    RequestFailure SampleRates(DriverState& state);
    RequestFailure Buffer(DriverState& state, BufferKind kind);
    RequestFailure Buffers(DriverState& state);
    RequestFailure Statistics(DriverState& state);
    // One GetStreamInfo per device already read.
    RequestFailure Streams(DriverState& state);

    // Everything a user can set, with the version: what a studio snapshot holds.
    RequestFailure Settings(DriverState& state);

private:
    COvx1394Driver& m_drv;
};
