// A snapshot as a file: UTF-8 JSON with the format's name and version (the README
// shows one). The reader takes nothing on trust: a file that is not JSON, not this
// format, of a later version, or with a value of the wrong type or out of range is
// refused with the place (a line and column, or the field's path) and what was
// expected there. Names cross to the driver's ANSI code page here, so a name that
// code page cannot hold, or that needs more than 39 bytes, is refused by its path.
#pragma once

#include <string>
#include <string_view>

#include "snapshot/Snapshot.h"

// The file's word for the PC driver as clock master, in place of a device's serial
// number; ovxctl's set-clock takes the same word.
inline constexpr char kSnapshotPcClockMaster[] = "pc";

struct SnapshotFault {
    std::string place;      // "line 3, column 14" or "settings.devices[1].name"
    std::string expected;   // what was expected there, and what was found when it says

    bool Ok() const { return expected.empty(); }
    std::string Message() const { return place.empty() ? expected : place + ": " + expected; }
};

std::string WriteSnapshotJson(const Snapshot& snapshot);

// On a fault the snapshot is left as it was.
SnapshotFault ReadSnapshotJson(std::string_view text, Snapshot& snapshot);

// The first serial number that two devices share, or null: a snapshot keys devices
// and channels by serial number and cannot tell such devices apart.
const std::string* FindSharedSerial(const Snapshot& snapshot);
