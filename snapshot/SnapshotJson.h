// A snapshot as a file: UTF-8 JSON with the format's name and version (the README
// shows one). The reader takes nothing on trust: a file that is not JSON, not this
// format, of a later version, nested deeper than a snapshot is, or with a value of the
// wrong type or out of range is refused whole, with the place (a line and column, or
// the field's path) and what was expected there. Texts are read as they stand: a name
// the driver cannot take is one item the restore skips, not a reason to refuse the file.
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
