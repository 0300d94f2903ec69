// The snapshot reader with any bytes as a file: it refuses with a place and what was
// expected, or reads a snapshot that writes and reads back to itself; a snapshot read
// is planned against the default studio without reading past any record.
#include <cstdlib>
#include <string_view>

#include "sim/SimDriver.h"
#include "snapshot/RestorePlan.h"
#include "snapshot/SnapshotJson.h"
#include "snapshot/StudioReader.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// The default studio as the driver reports it, read once.
const StudioState& Studio()
{
    static const StudioState studio = [] {
        CSimDriver sim;
        CScopedSimDriver installed(sim);
        COvx1394Driver drv;
        StudioState state;
        Require(drv.Open(kOvxDeviceName) == DRV_OK);
        Require(CStudioReader(drv).Read(state, false).Ok());
        drv.Close();
        return state;
    }();
    return studio;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Snapshot snapshot;
    const SnapshotFault fault = ReadSnapshotJson(text, snapshot);
    if (!fault.Ok()) {
        Require(snapshot == Snapshot{});
        return 0;
    }
    Snapshot again;
    Require(ReadSnapshotJson(WriteSnapshotJson(snapshot), again).Ok());
    snapshot.information = {};
    Require(again == snapshot);
    const RestorePlan plan = MakeRestorePlan(snapshot, Studio());
    Require(plan.Changes() + plan.Skips() == plan.items.size());
    return 0;
}
