// The driver's lists of records, read and stored the one way every caller uses: the
// device model's refreshes, the reader of ovxctl's reports and studio snapshots, and
// the writes of a ranking and of synchronisation modes.
//
// A read asks for the list, then for one record per id in the driver's order (never
// past the list record's room). A record the driver fails is left out and the rest
// move up; a failed list request reads nothing. Either way the first failure is
// returned, with the request it came from.
#pragma once

#include <functional>
#include <span>

#include "driver/Ovx1394Driver.h"
#include "driver/RequestFailure.h"

// Takes each record the driver answered; false when it cannot keep it (memory is short).
template <typename Record>
using RecordSink = std::function<bool(const Record&)>;

RequestFailure ReadDeviceRecords(COvx1394Driver& drv, const RecordSink<_OVX_DEVICE_PROPERTIES>& add);
RequestFailure ReadSyncModeRecords(COvx1394Driver& drv, const RecordSink<_DEVICE_SYNC_MODE_INFO>& add);
// output false: the input channels, true: the output channels.
RequestFailure ReadChannelRecords(COvx1394Driver& drv, bool output, const RecordSink<_OVX_CHANNEL_PROPERTIES>& add);

// Sends every record whole, in the order given; a failure does not stop the others.
RequestFailure StoreDeviceRecords(COvx1394Driver& drv, std::span<const _OVX_DEVICE_PROPERTIES* const> records);
// Sends the head of every record (device id, current mode and source) in the order given;
// results, when given, receives each record's result (it holds one per record).
RequestFailure StoreSyncModeRecords(COvx1394Driver& drv, std::span<const _DEVICE_SYNC_MODE_INFO* const> records,
                                    std::span<DrvResult> results = {});
