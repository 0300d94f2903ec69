// ovxctl's own options. They are read only before the command word, and "--" ends
// them, so that an argument such as a name "-h" or "--json" is never taken for one.
#pragma once

#include <string>
#include <vector>

#include "text/FilePath.h"

// A word of the command line in the two forms it is used in: names cross to the
// driver's ANSI code page, while a path goes to the file system as it was given, so
// that a file may be named with characters the code page lacks.
struct CtlWord {
    std::string ansi;      // when refusal is not empty, what cannot cross is the code page's default character
    FilePath path;
    std::string refusal;   // why the word cannot be passed on to the driver; empty when it can
};

struct CtlCommandLine {
    bool json = false;
    bool help = false;
    bool sim = false;
    CtlWord scenario;              // with sim: a scenario file, empty for the default studio
    bool simBus = false;           // the simulated bus of a running OVX_CPL_Sim.exe
    std::vector<CtlWord> words;    // the command and its arguments
};

// The options are --sim [SCENARIO], --sim-bus, --json and --help (-h, /?), in any order; the
// first other word, or the word after "--", is the command.
CtlCommandLine ReadCtlCommandLine(std::vector<CtlWord> args);

// The same for words in the ANSI code page (the tests', the host build's): each word's
// path is the word.
CtlCommandLine ReadCtlCommandLine(const std::vector<std::string>& args);
