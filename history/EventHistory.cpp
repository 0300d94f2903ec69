#include "history/EventHistory.h"

#include <iterator>

namespace {

HistoryKind KindOf(DriverChangeKind kind)
{
    switch (kind) {
    case DriverChangeKind::DriverGone: return HistoryKind::DriverGone;
    case DriverChangeKind::DriverBack: return HistoryKind::DriverBack;
    case DriverChangeKind::DeviceConnected: return HistoryKind::DeviceConnected;
    case DriverChangeKind::DeviceGone: return HistoryKind::DeviceGone;
    case DriverChangeKind::StreamingStopped: return HistoryKind::StreamingStopped;
    case DriverChangeKind::StreamingBack: return HistoryKind::StreamingBack;
    case DriverChangeKind::RateChanged: return HistoryKind::RateChanged;
    case DriverChangeKind::ClockMasterChanged: break;
    }
    return HistoryKind::ClockMasterChanged;
}

const char* const kKindNames[] = {"driverGone",       "driverBack",    "deviceConnected", "deviceGone",
                                  "streamingStopped", "streamingBack", "rateChanged",     "clockMasterChanged",
                                  "dropOuts",         "snapshotRestored", "resumed"};
static_assert(std::size(kKindNames) == static_cast<size_t>(HistoryKind::Resumed) + 1);

void Cut(std::string& text)
{
    if (text.size() > CEventHistory::kLongestText)
        text.resize(CEventHistory::kLongestText);
}

}  // namespace

const char* HistoryKindName(HistoryKind kind)
{
    return kKindNames[static_cast<size_t>(kind)];
}

HistoryEntry HistoryEntryOf(const DriverChange& change, std::chrono::system_clock::time_point when)
{
    HistoryEntry entry;
    static_cast<DriverChangeFacts&>(entry) = change;
    entry.when = when;
    entry.kind = KindOf(change.kind);
    return entry;
}

void CEventHistory::Add(HistoryEntry entry)
{
    Cut(entry.device);
    Cut(entry.serial);
    Cut(entry.detail);
    if (m_entries.size() == kCapacity) {
        m_entries.pop_front();
        ++m_dropped;
        ++m_first;
    }
    m_entries.push_back(std::move(entry));
    ++m_revision;
}

void CEventHistory::Clear()
{
    m_first += m_entries.size();
    m_entries.clear();
    m_dropped = 0;
    ++m_revision;
}
