// A chaos sequence as text: one step a line, "bus STATEMENT" for the simulated bus or
// "user ACTION ARGS" for what a user does to the panel; "#" starts a comment. A failing
// run writes its sequence so, and --replay runs such a file again.
#pragma once

#include <string>
#include <vector>

struct ChaosStep {
    enum class Kind { Bus, User };
    Kind kind = Kind::Bus;
    std::string text;   // the statement, or the action and its arguments

    std::string Line() const { return (kind == Kind::Bus ? "bus " : "user ") + text; }
};

struct ChaosScript {
    std::string header;   // comment lines that say where it came from
    std::vector<ChaosStep> steps;
};

// Reads a script; false with the line's number in `why` when a line is neither kind.
bool ReadChaosScript(const std::string& path, ChaosScript& script, std::string& why);
bool WriteChaosScript(const std::string& path, const ChaosScript& script);
