// The running simulator's language: the scenario statements, applied to the live bus,
// and the verbs that only make sense while the panel runs (unplugging, events, the
// driver's unload). The scenario file at start, the window's command line and its
// buttons, and the statements other programs send all come through Execute.
//
// Devices are numbered from 1 in plug order, as the window lists them; an unplugged
// device keeps its number and its place, so that "plug N" brings the same one back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimBus.h"
#include "sim/SimScenario.h"

class CSimDriver;

struct SimAnswer {
    bool applied = false;
    std::string text;   // what was done, what was asked for, or why nothing was done
};

// A device the simulator knows of, on the bus or unplugged.
struct SimRosterEntry {
    uint32_t id = 0;
    bool plugged = true;
    SimDevice device;                 // as it was when unplugged; refreshed while plugged
    std::vector<SimChannel> inputs;   // its channels, idem
    std::vector<SimChannel> outputs;
};

class CSimConsole {
public:
    explicit CSimConsole(CSimDriver& driver) : m_driver(driver) {}
    CSimConsole(const CSimConsole&) = delete;
    CSimConsole& operator=(const CSimConsole&) = delete;

    // One statement (one line). A refused statement changes nothing. No I/O of its own.
    SimAnswer Execute(const std::string& line);

    // The devices by number (index + 1), with the plugged ones as the bus has them now.
    std::vector<SimRosterEntry> Roster();

    // The running bus's own statements, as the statement table names them: w[0] is the verb.
    SimAnswer AddDevice(const std::vector<std::string>& w);
    SimAnswer Unplug(const std::vector<std::string>& w) { return Replug(w, false); }
    SimAnswer Plug(const std::vector<std::string>& w) { return Replug(w, true); }
    SimAnswer PlugState(const std::vector<std::string>& w);
    SimAnswer Driver(const std::vector<std::string>& w);
    SimAnswer Event(const std::vector<std::string>& w);
    SimAnswer Clear(const std::vector<std::string>& w);
    SimAnswer ListDevices(const std::vector<std::string>& w);
    SimAnswer ListFaults(const std::vector<std::string>& w);
    SimAnswer State(const std::vector<std::string>& w);

private:
    // A statement on a copy of the bus's description, put in place whole if it was read.
    SimAnswer BusStatement(const struct SimStatement& statement, const std::vector<std::string>& w);
    SimAnswer Replug(const std::vector<std::string>& w, bool plug);
    // Brings the roster up to the bus: new devices are appended, and plugged devices
    // that left the bus by other means (a new bus) are dropped.
    void Reconcile(const SimBus& bus);

    CSimDriver& m_driver;
    CSimScenarioReader m_reader;
    std::vector<SimRosterEntry> m_roster;
};
