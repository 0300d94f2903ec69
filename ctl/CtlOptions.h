// ovxctl's own options. They are read only before the command word, and "--" ends
// them, so that an argument such as a name "-h" or "--json" is never taken for one.
#pragma once

#include <string>
#include <vector>

struct CtlCommandLine {
    bool json = false;
    bool help = false;
    bool sim = false;
    std::string scenario;             // with sim: a scenario file, empty for the default studio
    bool simBus = false;              // the simulated bus of a running OVX_CPL_Sim.exe
    std::vector<std::string> words;   // the command and its arguments
};

// The options are --sim [SCENARIO], --sim-bus, --json and --help (-h, /?), in any order; the
// first other word, or the word after "--", is the command.
CtlCommandLine ReadCtlCommandLine(const std::vector<std::string>& args);
