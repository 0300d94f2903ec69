#include "app/HistoryRows.h"

#include <algorithm>
#include <functional>
#include <numeric>

bool CHistoryRows::Follow(const CEventHistory& history)
{
    if (m_bFollowed && history.Revision() == m_revision)
        return false;
    m_bFollowed = true;
    m_revision = history.Revision();
    m_dropped = history.Dropped();
    m_first = history.FirstNumber();
    m_rows.clear();
    m_rows.reserve(history.Entries().size());
    for (auto entry = history.Entries().rbegin(); entry != history.Entries().rend(); ++entry)
        m_rows.push_back({*entry, HistoryTimeText(*entry), HistoryEventText(*entry, m_texts), HistoryDeviceText(*entry)});
    return true;
}

const std::string& CHistoryRows::Text(size_t row, Column column) const
{
    const Row& shown = m_rows.at(row);
    switch (column) {
    case kTime: return shown.time;
    case kEvent: return shown.event;
    case kDevice: break;
    }
    return shown.device;
}

int CHistoryRows::RowOf(uint64_t number) const
{
    if (m_rows.empty() || number < m_first || number > NumberOf(0))
        return -1;
    return static_cast<int>(NumberOf(0) - number);
}

std::string CHistoryRows::Lines(const std::vector<size_t>& rows) const
{
    std::vector<size_t> oldestFirst = rows;
    std::sort(oldestFirst.begin(), oldestFirst.end(), std::greater<>());
    std::string lines;
    for (const size_t row : oldestFirst)
        lines += HistoryLine(m_rows.at(row).entry, m_texts) + "\r\n";
    return lines;
}

std::string CHistoryRows::AllLines() const
{
    std::vector<size_t> rows(m_rows.size());
    std::iota(rows.begin(), rows.end(), size_t{0});
    return Lines(rows);
}
