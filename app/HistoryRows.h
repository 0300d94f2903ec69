// The rows of the list that shows the event history, newest first: the entries with
// their texts as the history held them when it was last followed. The list answers
// for its rows from here, so that a change not yet followed never shifts what it shows.
// An entry is known by the history's number for it: a selection follows its entries by
// these numbers while newer ones push them down, and loses them when they go.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "history/EventHistory.h"
#include "history/HistoryText.h"

class CHistoryRows {
public:
    enum Column { kTime, kEvent, kDevice };

    explicit CHistoryRows(HistoryTexts texts) : m_texts(std::move(texts)) {}

    // Takes the history's entries if it changed since the last time; false if it did not.
    bool Follow(const CEventHistory& history);

    size_t Count() const { return m_rows.size(); }
    // How many older entries the history had dropped for room.
    uint64_t Dropped() const { return m_dropped; }
    const std::string& Text(size_t row, Column column) const;
    uint64_t NumberOf(size_t row) const { return m_first + m_rows.size() - 1 - row; }
    // The row that shows the entry with this number, or -1 once the entry has left.
    int RowOf(uint64_t number) const;
    // The rows' lines (time, event and device separated by tabs), oldest first, each
    // ended by CR LF as a Windows text is.
    std::string Lines(const std::vector<size_t>& rows) const;
    std::string AllLines() const;

private:
    struct Row {
        HistoryEntry entry;
        std::string time;
        std::string event;
        std::string device;
    };

    const HistoryTexts m_texts;
    std::vector<Row> m_rows;   // newest first
    uint64_t m_dropped = 0;
    uint64_t m_first = 0;
    uint64_t m_revision = 0;
    bool m_bFollowed = false;
};
