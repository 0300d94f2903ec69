// The scenario file reader, apart from the statements themselves: the C++ library's
// streams it needs are a good part of an executable's size, and the programs that take
// statements one at a time (the bus window, the bench's panel) need none of it.
#include <istream>
#include <string>
#include <vector>

#include "sim/SimScenario.h"
#include "sim/SimWords.h"

bool ParseSimScenario(std::istream& in, SimScenario& scenario, std::string& error)
{
    CSimScenarioReader reader;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<std::string> words;
        std::string why = SplitSimWords(line, words) ? std::string() : "a text without its closing quote";
        if (why.empty() && !words.empty())
            why = reader.Statement(words, scenario);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
}
