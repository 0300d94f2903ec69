// What a restore would change: the file compared with what the driver holds, item by
// item, in the order the writes go out. An item the driver cannot take now (a device
// that is not connected or cannot be told from another, a name the driver layer's rule
// refuses, a rate or mode it does not offer, a depth off its scale, a pair of clock
// master and rate mode that no page would send) is kept in the plan as skipped, with
// the reason; nothing of it is sent, and the rest of the file restores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/WriteOutcome.h"
#include "snapshot/Snapshot.h"
#include "snapshot/StudioState.h"

enum class PlanKind {
    DeviceName,
    Ranking,
    ChannelName,
    AsioNames,
    ClockMaster,    // from here to SyncMode in one StopStreaming ... StartStreaming frame
    RateMode,
    SyncMode,
    StreamDepth,    // each buffer depth with the restart it needs
    WdmDepth,
    SampleRate,
    AsioDepth,
    Device,         // a device of the file that cannot be restored, or one not in the file
};

enum class PlanSkip {
    None,
    DeviceMissing,     // the file's device is not connected: its name, mode and channels
    NotInFile,         // a connected device the file does not name: left as it is
    NoSerial,          // a device without a serial number cannot be found again
    SerialShared,      // two devices report this serial number and cannot be told apart
    ChannelMissing,    // the device has fewer channels of that direction now
    NameRefused,       // the driver layer's name rule refuses the file's name (item.rule)
    MasterMissing,     // the clock master of the file is not connected
    MasterUnnamed,     // the file names no device to find its clock master by
    RateModeWithPc,    // with the PC driver as master the rate is set by hand
    ModeNotOffered,    // the device offers no such synchronisation mode now
    RateNotOffered,    // the driver offers no such sampling rate now
    RateSetByMaster,   // the clock master defines the rate, so none can be set
    DepthOutOfRange,   // not a position of the depth's scale
};

struct PlanItem {
    PlanKind kind = PlanKind::Device;
    PlanSkip skip = PlanSkip::None;
    WriteRule rule = WriteRule::None;   // NameRefused: the rule the name breaks
    std::string serial;        // the item's device (the clock master's for ClockMaster)
    std::string deviceName;    // that device's name, as the driver or else the file has it
    bool output = false;       // ChannelName: its direction
    uint32_t index = 0;        // ChannelName: its place among its device's channels
    std::string now, then;     // names, the ranking's names in order, a master's serial
    bool nowIsPc = false;      // ClockMaster: the PC driver is the master now, or will be
    bool thenIsPc = false;
    uint32_t nowValue = 0;     // option 0/1, rate mode 0/1, Hz, µs
    uint32_t thenValue = 0;    // the same; ClockMaster: the master's device id
    SyncMode nowMode, thenMode;
    uint32_t minimum = 0, step = 0, maximum = 0;   // DepthOutOfRange: what would be taken
    size_t record = 0;         // the device's or channel's record in the state
    std::vector<size_t> order; // Ranking: the state's device records in their new order

    bool Skipped() const { return skip != PlanSkip::None; }
    bool Framed() const { return kind >= PlanKind::ClockMaster && kind <= PlanKind::SyncMode; }
    bool operator==(const PlanItem&) const = default;
};

struct RestorePlan {
    std::vector<PlanItem> items;

    size_t Changes() const;
    size_t Skips() const;
    // Skipped items of the file: what a restore cannot give back (a connected device the
    // file does not name is none of them).
    size_t FileSkips() const;
    bool operator==(const RestorePlan&) const = default;
};

RestorePlan MakeRestorePlan(const Snapshot& file, const StudioState& now);

// What of a snapshot no restore can give back exactly (a name the driver layer's rule
// refuses, a device without a serial number or with one another device shares, a clock
// master it cannot name, an automatic rate with the PC driver as master), as skipped
// items: a save tells the user of them.
std::vector<PlanItem> FindUnrestorable(const Snapshot& snapshot);
