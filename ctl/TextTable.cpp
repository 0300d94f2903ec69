#include "ctl/TextTable.h"

#include <algorithm>

#include "text/ControlText.h"

void CTextTable::AddRow(std::vector<std::string> row)
{
    for (std::string& cell : row)
        cell = EscapeControlCharacters(cell);
    m_rows.push_back(std::move(row));
}

void CTextTable::Print(std::ostream& out) const
{
    std::vector<size_t> widths(m_header.size());
    for (size_t c = 0; c < m_header.size(); ++c)
        widths[c] = m_header[c].size();
    for (const auto& row : m_rows) {
        for (size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    const auto printRow = [&](const std::vector<std::string>& row) {
        std::string line;
        for (size_t c = 0; c < widths.size(); ++c) {
            const std::string cell = c < row.size() ? row[c] : "";
            line += cell;
            if (c + 1 < widths.size())
                line.append(widths[c] - cell.size() + 2, ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out << line << '\n';
    };
    printRow(m_header);
    for (const auto& row : m_rows)
        printRow(row);
}
