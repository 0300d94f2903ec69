// The bus window's request trace: an owner-data list view whose rows the window keeps,
// newest last, following the end unless the user scrolled up to read.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "simapp/SimTraceQueue.h"
#include "ui/ListCtrlEx.h"

class CSimTraceList {
public:
    static constexpr size_t kRows = 2000;   // older rows leave the list

    // The list view, for the window's data exchange.
    CListCtrlEx& List() { return m_list; }
    void InsertColumns();
    void Append(std::vector<SimTraceRow> rows);
    void Clear();
    size_t Count() const { return m_rows.size(); }
    // Time, request, input bytes and result, tab-separated, one line per row; false if
    // the file could not be written.
    bool Save(const std::string& path) const;
    // LVN_GETDISPINFO: the text of the row and column asked for.
    void AnswerDisplayInfo(NMLVDISPINFOA& info) const;

private:
    std::string Text(size_t row, int column) const;

    CListCtrlEx m_list;
    std::deque<SimTraceRow> m_rows;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};
