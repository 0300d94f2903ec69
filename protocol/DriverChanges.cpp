#include "protocol/DriverChanges.h"

#include <algorithm>

const DriverFindings::Device* DriverFindings::DeviceWithId(uint32_t id) const
{
    const auto found = std::find_if(devices.begin(), devices.end(), [id](const Device& d) { return d.id == id; });
    return found == devices.end() ? nullptr : &*found;
}

namespace {

uint32_t MasterId(const _CLOCK_SOURCE_INFO& clock)
{
    return clock.masterFlag == 0 ? 0 : clock.masterDeviceId;
}

DriverChange DeviceChange(DriverChangeKind kind, const DriverFindings::Device& device)
{
    DriverChange change;
    change.kind = kind;
    change.device = device.name;
    change.serial = device.serial;
    return change;
}

void StreamingChange(const DriverFindings& before, const DriverFindings& after, const OwnWrites& own,
                     std::vector<DriverChange>& changes)
{
    const bool was = before.streaming == StreamingState::Streaming;
    const bool is = after.streaming == StreamingState::Streaming;
    if (was == is)
        return;
    DriverChange change;
    change.kind = is ? DriverChangeKind::StreamingBack : DriverChangeKind::StreamingStopped;
    // The panel restarted streaming: what it reads back is what its StartStreaming said.
    change.byPanel = own.streamingStarted && *own.streamingStarted == is;
    change.device = after.failedDevice;
    change.failureCode = after.failureCode;
    changes.push_back(change);
}

void ClockChange(const DriverFindings& before, const DriverFindings& after, const OwnWrites& own,
                 std::vector<DriverChange>& changes)
{
    if (!before.clockKnown || !after.clockKnown || MasterId(before.clockSource) == MasterId(after.clockSource))
        return;
    DriverChange change;
    change.kind = DriverChangeKind::ClockMasterChanged;
    change.before = MasterId(before.clockSource);
    change.after = MasterId(after.clockSource);
    change.masterIsPc = after.clockSource.masterFlag == 0;
    change.byPanel = own.clockSource && MasterId(*own.clockSource) == change.after;
    if (const DriverFindings::Device* master = change.masterIsPc ? nullptr : after.DeviceWithId(change.after)) {
        change.device = master->name;
        change.serial = master->serial;
    }
    changes.push_back(change);
}

}  // namespace

std::vector<DriverChange> FindDriverChanges(const DriverFindings& before, const DriverFindings& after,
                                            const OwnWrites& own)
{
    std::vector<DriverChange> changes;
    if (before.driverReached != after.driverReached) {
        DriverChange change;
        change.kind = after.driverReached ? DriverChangeKind::DriverBack : DriverChangeKind::DriverGone;
        changes.push_back(change);
        return changes;
    }
    if (!after.driverReached)
        return changes;
    for (const DriverFindings::Device& device : after.devices) {
        if (!before.DeviceWithId(device.id))
            changes.push_back(DeviceChange(DriverChangeKind::DeviceConnected, device));
    }
    for (const DriverFindings::Device& device : before.devices) {
        if (!after.DeviceWithId(device.id))
            changes.push_back(DeviceChange(DriverChangeKind::DeviceGone, device));
    }
    StreamingChange(before, after, own, changes);
    if (before.sampleRate != 0 && after.sampleRate != 0 && before.sampleRate != after.sampleRate) {
        DriverChange change;
        change.kind = DriverChangeKind::RateChanged;
        change.before = before.sampleRate;
        change.after = after.sampleRate;
        change.byPanel = own.sampleRate == after.sampleRate;
        changes.push_back(change);
    }
    ClockChange(before, after, own, changes);
    return changes;
}
