#include "tests/chaos/ChaosScript.h"

#include <fstream>

bool ReadChaosScript(const std::string& path, ChaosScript& script, std::string& why)
{
    std::ifstream in(path);
    if (!in) {
        why = path + " cannot be read";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos)
            continue;
        if (line[start] == '#') {
            script.header += line.substr(start) + "\n";
            continue;
        }
        const std::string body = line.substr(start);
        if (body.rfind("bus ", 0) == 0)
            script.steps.push_back({ChaosStep::Kind::Bus, body.substr(4)});
        else if (body.rfind("user ", 0) == 0)
            script.steps.push_back({ChaosStep::Kind::User, body.substr(5)});
        else {
            why = path + ":" + std::to_string(number) + ": expected \"bus STATEMENT\" or \"user ACTION\"";
            return false;
        }
    }
    return true;
}

bool WriteChaosScript(const std::string& path, const ChaosScript& script)
{
    std::ofstream out(path, std::ios::trunc);
    out << script.header;
    for (const ChaosStep& step : script.steps)
        out << step.Line() << "\n";
    return static_cast<bool>(out.flush());
}
