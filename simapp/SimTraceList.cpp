#include "simapp/SimTraceList.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "driver/ControlCodes.h"
#include "sim/SimResultName.h"

void CSimTraceList::InsertColumns()
{
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    // Widths at 96 DPI: the wrapper scales them to the window's.
    m_list.InsertColumn(0, "Time", LVCFMT_LEFT, 48);
    m_list.InsertColumn(1, "Request", LVCFMT_LEFT, 136);
    m_list.InsertColumn(2, "Input", LVCFMT_LEFT, 104);
    m_list.InsertColumn(3, "Result", LVCFMT_LEFT, 150);
}

void CSimTraceList::Append(std::vector<SimTraceRow> rows)
{
    if (rows.empty())
        return;
    const int count = static_cast<int>(m_rows.size());
    const bool following = count == 0 || m_list.GetTopIndex() + m_list.GetCountPerPage() >= count;
    for (SimTraceRow& row : rows)
        m_rows.push_back(std::move(row));
    while (m_rows.size() > kRows)
        m_rows.pop_front();
    const int now = static_cast<int>(m_rows.size());
    m_list.SetItemCountEx(now, LVSICF_NOSCROLL);
    // The rows kept their numbers but not their contents once the oldest left.
    ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
    if (following)
        m_list.EnsureVisible(now - 1);
}

void CSimTraceList::Clear()
{
    m_rows.clear();
    m_list.SetItemCountEx(0);
}

bool CSimTraceList::Save(const std::string& path) const
{
    std::ofstream file(path);
    for (size_t row = 0; row < m_rows.size() && file; ++row)
        file << Text(row, 0) << '\t' << Text(row, 1) << '\t' << Text(row, 2) << '\t' << Text(row, 3) << '\n';
    file.flush();
    return static_cast<bool>(file);
}

void CSimTraceList::AnswerDisplayInfo(NMLVDISPINFOA& info) const
{
    const auto row = static_cast<size_t>(info.item.iItem);
    if (!(info.item.mask & LVIF_TEXT) || row >= m_rows.size() || info.item.cchTextMax <= 0)
        return;
    const std::string text = Text(row, info.item.iSubItem);
    const size_t length = std::min(text.size(), static_cast<size_t>(info.item.cchTextMax - 1));
    text.copy(info.item.pszText, length);
    info.item.pszText[length] = '\0';
}

std::string CSimTraceList::Text(size_t row, int column) const
{
    const SimTraceRow& r = m_rows[row];
    char text[32];
    switch (column) {
    case 0: {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(r.time - m_start).count();
        std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                      static_cast<long long>(ms % 1000));
        return text;
    }
    case 1: {
        if (const OvxIoctl::Request* request = OvxIoctl::FindRequest(r.entry.code))
            return request->name;
        std::snprintf(text, sizeof text, "0x%08X", r.entry.code);
        return text;
    }
    case 2: {
        std::string bytes;
        for (uint8_t byte : r.entry.input) {
            std::snprintf(text, sizeof text, "%02x", byte);
            bytes += text;
        }
        return bytes.empty() ? "-" : bytes;
    }
    default:
        return SimResultName(r.entry.result);
    }
}
