#include "sim/SimWords.h"

#include "driver/ControlCodes.h"
#include "sim/SimFaults.h"

bool SplitSimWords(const std::string& line, std::vector<std::string>& words)
{
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r' || line[i] == '\n') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                return false;
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const size_t end = line.find_first_of(" \t\r\n", i);
            words.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return true;
}

std::optional<uint32_t> ParseSimNumber(const std::string& word)
{
    const bool hex = word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X');
    const unsigned base = hex ? 16 : 10;
    const size_t first = hex ? 2 : 0;
    if (word.size() <= first)
        return std::nullopt;
    uint64_t value = 0;
    for (size_t i = first; i < word.size(); ++i) {
        const char c = word[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::optional<uint32_t> SimRequestCode(const std::string& name)
{
    if (name == "open")
        return kSimOpenRequest;
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue()) {
        if (name == request.name)
            return request.code;
    }
    return std::nullopt;
}

std::string SimExpected(const std::vector<std::string>& words, size_t at, const std::string& expected)
{
    if (at < words.size())
        return "\"" + words[at] + "\" not understood, expected " + expected;
    if (words.empty())
        return "nothing to do, expected " + expected;
    return "missing after \"" + words.back() + "\": expected " + expected;
}
