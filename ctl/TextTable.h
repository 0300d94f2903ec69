// A table printed in aligned columns under a header line, for the console.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class CTextTable {
public:
    explicit CTextTable(std::vector<std::string> header) : m_header(std::move(header)) {}

    void AddRow(std::vector<std::string> row) { m_rows.push_back(std::move(row)); }
    void Print(std::ostream& out) const;

private:
    std::vector<std::string> m_header;
    std::vector<std::vector<std::string>> m_rows;
};
