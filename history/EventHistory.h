// What the panel noticed while it ran, kept for whoever asks later: the changes its
// refreshes found (from protocol/DriverChanges.h), the drop-outs it counted, the
// studio snapshots it restored and the computer's resumes. At most kCapacity entries:
// the oldest go first, and how many went is kept. Needs no window: the history window,
// the support report and ovxctl watch show it.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

#include "protocol/DriverChanges.h"

enum class HistoryKind {
    DriverGone,
    DriverBack,
    DeviceConnected,
    DeviceGone,
    StreamingStopped,
    StreamingBack,
    RateChanged,
    ClockMasterChanged,
    DropOuts,           // count: the drop-outs counted since the reading before
    SnapshotRestored,   // detail: the restore's summary
    Resumed,            // the computer resumed, and everything was read again
};

// The facts of a driver change (DriverChangeFacts), and those only the history has.
struct HistoryEntry : DriverChangeFacts {
    std::chrono::system_clock::time_point when;
    HistoryKind kind = HistoryKind::DriverGone;
    uint32_t count = 0;         // DropOuts
    std::string detail;         // SnapshotRestored: the summary, ANSI

    bool operator==(const HistoryEntry&) const = default;
};

// The kind's name in JSON: "deviceGone".
const char* HistoryKindName(HistoryKind kind);

// The entry a change of the driver makes.
HistoryEntry HistoryEntryOf(const DriverChange& change, std::chrono::system_clock::time_point when);

class CEventHistory {
public:
    static constexpr size_t kCapacity = 1000;
    // The longest device name or detail an entry keeps, in bytes; longer ones are cut.
    static constexpr size_t kLongestText = 128;

    void Add(HistoryEntry entry);
    void Clear();

    // Oldest first.
    const std::deque<HistoryEntry>& Entries() const { return m_entries; }
    // How many entries went to make room, since the last Clear.
    uint64_t Dropped() const { return m_dropped; }
    // The number of the oldest entry kept. Entries are numbered in the order they came,
    // and no number is given twice, not even after a Clear.
    uint64_t FirstNumber() const { return m_first; }
    // Grows with every change (an entry added, the history cleared), for whoever shows it.
    uint64_t Revision() const { return m_revision; }

private:
    std::deque<HistoryEntry> m_entries;
    uint64_t m_dropped = 0;
    uint64_t m_first = 0;
    uint64_t m_revision = 0;
};
