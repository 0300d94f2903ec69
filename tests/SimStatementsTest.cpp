// The simulator's statement table against the README's: every statement documented in
// one row, none missing, each where the table says it may appear.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sim/SimStatements.h"

namespace {

struct DocumentedRow {
    std::vector<std::string> verbs;
    std::string where;
};

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The cells of a Markdown table row; "\|" stays inside its cell as "|".
std::vector<std::string> Cells(const std::string& line)
{
    std::vector<std::string> cells(1);
    for (size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '|')
            cells.back() += line[++i];
        else if (line[i] == '|')
            cells.emplace_back();
        else
            cells.back() += line[i];
    }
    cells.pop_back();   // after the closing bar
    return cells;
}

// The statements a cell names: the first word of each code span (its alternatives when
// written a|b), or the first two where the table has a two-word verb.
std::vector<std::string> VerbsOf(const std::string& cell)
{
    std::vector<std::string> verbs;
    for (size_t open = cell.find('`'); open != std::string::npos; open = cell.find('`', open + 1)) {
        const size_t close = cell.find('`', open + 1);
        const std::string span = Trim(cell.substr(open + 1, close - open - 1));
        open = close;
        const std::string first = span.substr(0, span.find(' '));
        const std::string rest = first.size() < span.size() ? span.substr(first.size() + 1) : std::string();
        const std::string second = rest.substr(0, rest.find(' '));
        if (const SimStatement* row = FindSimStatement({first, second}); row && row->verb == first + " " + second) {
            verbs.push_back(row->verb);
            continue;
        }
        for (size_t begin = 0, bar; begin <= first.size(); begin = bar + 1) {
            bar = std::min(first.find('|', begin), first.size());
            verbs.push_back(first.substr(begin, bar - begin));
        }
    }
    return verbs;
}

std::vector<DocumentedRow> ReadmeStatements()
{
    std::ifstream readme(OVX_README);
    std::vector<DocumentedRow> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(readme, line)) {
        if (line.rfind("### ", 0) == 0)
            inSection = line == "### The simulator's language";
        if (!inSection || line.rfind("| `", 0) != 0)
            continue;
        const std::vector<std::string> cells = Cells(line);
        if (cells.size() == 3)
            rows.push_back({VerbsOf(cells[0]), Trim(cells[1])});
    }
    return rows;
}

std::string PlacesText(unsigned places)
{
    if (places == kSimWindowOnly)
        return "window";
    return places & kSimInScenario ? "file, live" : "live";
}

}  // namespace

TEST(SimStatements, TheReadmeDocumentsEachStatementOnceWhereItMayAppear)
{
    const std::vector<DocumentedRow> rows = ReadmeStatements();
    ASSERT_FALSE(rows.empty()) << "no statement table in " << OVX_README;
    std::map<std::string, int> rowOf;
    for (size_t i = 0; i < rows.size(); ++i) {
        for (const std::string& verb : rows[i].verbs) {
            const auto [it, added] = rowOf.emplace(verb, static_cast<int>(i));
            EXPECT_TRUE(added || it->second == static_cast<int>(i)) << verb << " is documented in two rows";
            const SimStatement* statement = FindSimStatement({verb});
            if (!statement || statement->verb != verb) {
                ADD_FAILURE() << verb << " is documented but not a statement";
                continue;
            }
            EXPECT_EQ(rows[i].where, PlacesText(statement->places)) << verb;
        }
    }
    std::set<std::string> missing;
    for (const SimStatement& statement : SimStatements()) {
        if (!rowOf.contains(statement.verb))
            missing.insert(statement.verb);
    }
    EXPECT_TRUE(missing.empty()) << "undocumented: " << *missing.begin();
}
