#include "sim/SimStatementFile.h"

#include <cstdio>
#include <memory>

namespace {

// The next line without its end, as std::getline reads it; false at the end of the file.
bool ReadLine(FILE* file, std::string& line)
{
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::fgetc(file))
        line.push_back(static_cast<char>(c));
    return true;
}

}  // namespace

std::string RunSimStatementFile(CSimConsole& console, const std::string& path)
{
    const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "r"), &std::fclose);
    if (!file)
        return "cannot be read";
    std::string line;
    for (int number = 1; ReadLine(file.get(), line); ++number) {
        const SimAnswer answer = console.Execute(line);
        if (!answer.applied)
            return "line " + std::to_string(number) + ": " + answer.text;
    }
    return {};
}
