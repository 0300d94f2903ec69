// The simulator's statements, one row each. The scenario reader, the console, the bus
// window and the README's table all follow it: a new statement is one row here and its
// handler.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "sim/SimConsole.h"
#include "sim/SimScenario.h"

// Where a statement may appear (flags).
enum SimPlaces : unsigned {
    kSimInScenario = 1,   // a scenario file read on its own (ovxctl --sim, the pictures' tour)
    kSimLive = 2,         // the running bus: OVX_SIM_SCENARIO's lines, the window, ovxsim
    kSimWindowOnly = 4,   // the bus window's own statements, which it handles itself
};

struct SimStatement {
    const char* verb;   // its first word; the window's own have two ("clear trace")
    unsigned places;
    // After it the driver reports a changed configuration (an event of kind 3). The
    // console queues it after a statement on the bus description; the hot-plug
    // statements' driver calls queue it together with their bus reset.
    bool changesConfiguration;
    // Applied to a bus description: a scenario file's, or a copy of the running bus.
    std::string (CSimScenarioReader::*read)(const std::vector<std::string>& w, SimScenario& scenario);
    // The running bus's own handler, for statements that do more than describe the bus
    // (hot-plug, events, listings); it takes precedence over `read` there.
    SimAnswer (CSimConsole::*run)(const std::vector<std::string>& w);
};

std::span<const SimStatement> SimStatements();

// The row of a statement's words, or null for an unknown verb.
const SimStatement* FindSimStatement(const std::vector<std::string>& words);
