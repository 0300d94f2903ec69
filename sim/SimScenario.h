// A simulated bus described in a text file, for the demo and for tests that start
// the panel as its own process. One statement per line, '#' starts a comment, words
// are separated by blanks and texts are in double quotes. The statements are those of
// the table in sim/SimStatements.h that may appear in a scenario file; the running
// simulator takes them and more (CSimConsole).
#pragma once

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "sim/SimBus.h"
#include "sim/SimFaults.h"

class CSimDriver;

struct SimScenarioFault {
    enum class Kind { Fail, Delay, Malform, EndlessEvents } kind = Kind::Fail;
    uint32_t code = 0;
    uint32_t error = 0;
    FaultRepeat repeat = FaultRepeat::Once;
    uint32_t skip = 0;
    std::chrono::milliseconds delay{0};
    Malformation malformation = Malformation::ShortAnswer;
    std::optional<uint32_t> eventKind;   // EndlessEvents: nullopt ends them
};

struct SimScenario {
    SimBus bus = DefaultBus();
    std::vector<SimScenarioFault> faults;
};

// Reads statements one at a time into a scenario. A refused statement leaves the
// scenario as it was.
class CSimScenarioReader {
public:
    // Empty on success, else why the statement was refused.
    std::string Statement(const std::vector<std::string>& words, SimScenario& scenario);

    // The statements' readers, as the statement table names them: w[0] is the verb.
    std::string Bus(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Device(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Sync(const std::vector<std::string>& w, SimScenario& scenario);
    std::string PlugState(const std::vector<std::string>& w, SimScenario& scenario);
    std::string ChannelName(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Driver(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Version(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Clock(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Number(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Rates(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Depth(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Dropouts(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Streaming(const std::vector<std::string>& w, SimScenario& scenario);
    std::string WdmInUse(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Fault(const std::vector<std::string>& w, SimScenario& scenario);
    std::string EndlessEvents(const std::vector<std::string>& w, SimScenario& scenario);

private:
    bool m_bOffersReplaced = false;   // the last device's standard offers are gone
};

// Reads a scenario; on a bad line returns false with "line N: why" in error.
bool ParseSimScenario(std::istream& in, SimScenario& scenario, std::string& error);

// Puts the scenario's faults into effect.
void ApplySimFaults(const SimScenario& scenario, CSimDriver& driver);
