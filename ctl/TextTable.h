// A table printed in aligned columns under a header line, for the console. Cells
// hold the driver's texts, so their control characters are written as \xNN
// (text/ControlText.h) and the columns are aligned on what is printed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class CTextTable {
public:
    explicit CTextTable(std::vector<std::string> header) : m_header(std::move(header)) {}

    void AddRow(std::vector<std::string> row);
    void Print(std::ostream& out) const;

private:
    std::vector<std::string> m_header;
    std::vector<std::vector<std::string>> m_rows;
};
