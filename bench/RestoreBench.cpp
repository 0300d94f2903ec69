#include "bench/RestoreBench.h"

#include <chrono>

#include "driver/ControlCodes.h"
#include "sim/SimDriver.h"
#include "snapshot/RestoreApplier.h"
#include "snapshot/StudioReader.h"

namespace {

size_t Writes(const CSimDriver& sim)
{
    size_t writes = 0;
    for (const SimTraceEntry& entry : sim.Trace()) {
        const std::string name = OvxIoctl::FindRequest(entry.code)->name;
        writes += name.rfind("Set", 0) == 0 || name.find("Streaming") != std::string::npos ? 1 : 0;
    }
    return writes;
}

// Reads, plans and applies, as ovxctl restore and the panel do.
void Restore(COvx1394Driver& drv, const Snapshot& file)
{
    StudioState state;
    if (!CStudioReader(drv).Read(state, false).Ok())
        return;
    const RestorePlan plan = MakeRestorePlan(file, state);
    CRestoreApplier(drv).Apply(file, plan, state);
}

}  // namespace

RestoreFigures MeasureRestore(const SimBus& bus)
{
    CSimDriver sim(bus);
    CScopedSimDriver installed(sim);
    COvx1394Driver drv;
    RestoreFigures figures;
    StudioState saved;
    if (drv.Open(kOvxDeviceName) != DRV_OK || !CStudioReader(drv).Read(saved, false).Ok())
        return figures;

    sim.ClearTrace();
    CStudioReader(drv).Read(saved, false);
    figures.reads = sim.Trace().size();

    sim.ClearTrace();
    Restore(drv, saved.snapshot);
    figures.unchangedRequests = sim.Trace().size();
    figures.unchangedWrites = Writes(sim);

    Snapshot renamed = saved.snapshot;
    for (SnapshotDevice& device : renamed.devices)
        device.name = "Renamed " + device.serial;
    for (auto* channels : {&renamed.inputs, &renamed.outputs}) {
        for (SnapshotChannel& channel : *channels)
            channel.name = "Renamed " + std::to_string(channel.index);
    }
    figures.renamedRecords = renamed.devices.size() + renamed.inputs.size() + renamed.outputs.size();
    sim.ClearTrace();
    const auto start = std::chrono::steady_clock::now();
    Restore(drv, renamed);
    figures.renamedMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    figures.renamedWrites = Writes(sim);
    drv.Close();
    return figures;
}
