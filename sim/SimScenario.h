// A simulated bus described in a text file, for the demo and for tests that start
// the panel as its own process. One statement per line, '#' starts a comment, words
// are separated by blanks and texts are in double quotes:
//
//   bus empty | default              start from no devices, or from the small studio
//   device "name" "serial" IN OUT    a device with IN input and OUT output channels;
//                                    the next four statements apply to the last one
//     current-sync MODE SOURCE "name"
//     offer-sync MODE SOURCE "name"  the first one replaces the standard offers
//     plug audio-out|audio-in|synch-out|synch-in absent | fail CODE | stream N
//     channel-name in|out INDEX "name"
//   driver absent                    the control device cannot be opened
//   version IFMAJOR IFMINOR MAJOR MINOR BUILD
//   clock MASTERFLAG MASTERID        rate-mode N      rate N      rates R1 R2 ...
//   stream-depth|asio-depth|wdm-depth MIN STEP CURRENT MAX
//   dropouts N   streaming on|off   wdm-in-use [on|off]   asio-name-option N
//   fail REQUEST|open CODE [always] [skip N]
//   delay REQUEST MS
//   malform REQUEST unterminated|counts|short [once]
//   endless-events KIND|off          GetNextEvent never runs dry
//
// REQUEST is a request's name as the trace writes it, e.g. GetDeviceList. Numbers are
// decimal, or hexadecimal after 0x. The running simulator takes the same statements
// and more (CSimConsole).
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

private:
    std::string Device(const std::vector<std::string>& w, SimScenario& scenario);
    std::string Sync(const std::vector<std::string>& w, SimBus& bus);
    std::string Plug(const std::vector<std::string>& w, SimBus& bus);
    std::string ChannelName(const std::vector<std::string>& w, SimBus& bus);
    std::string Settings(const std::vector<std::string>& w, SimBus& bus);
    std::string Fault(const std::vector<std::string>& w, SimScenario& scenario);
    std::string EndlessEvents(const std::vector<std::string>& w, SimScenario& scenario);

    bool m_bOffersReplaced = false;   // the last device's standard offers are gone
};

// Reads a scenario; on a bad line returns false with "line N: why" in error.
bool ParseSimScenario(std::istream& in, SimScenario& scenario, std::string& error);

// Puts the scenario's faults into effect.
void ApplySimFaults(const SimScenario& scenario, CSimDriver& driver);
