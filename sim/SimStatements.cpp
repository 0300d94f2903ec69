#include "sim/SimStatements.h"

#include "sim/SimPlugLine.h"

namespace {

using R = CSimScenarioReader;
using C = CSimConsole;
constexpr unsigned kAnywhere = kSimInScenario | kSimLive;

// In the README's order.
constexpr SimStatement kStatements[] = {
    {"bus", kAnywhere, true, &R::Bus, nullptr},
    {"device", kAnywhere, true, &R::Device, &C::AddDevice},
    {"current-sync", kAnywhere, true, &R::Sync, nullptr},
    {"offer-sync", kAnywhere, true, &R::Sync, nullptr},
    {"plug-state", kAnywhere, false, &R::PlugState, &C::PlugState},
    {"channel-name", kAnywhere, true, &R::ChannelName, nullptr},
    {"add-device", kSimLive, true, nullptr, &C::AddDevice},
    {"unplug", kSimLive, true, nullptr, &C::Unplug},
    {"plug", kSimLive, true, nullptr, &C::Plug},
    {"devices", kSimLive, false, nullptr, &C::ListDevices},
    {"driver", kAnywhere, false, &R::Driver, &C::Driver},
    {"version", kAnywhere, false, &R::Version, nullptr},
    {"clock", kAnywhere, true, &R::Clock, nullptr},
    {"rate-mode", kAnywhere, true, &R::Number, nullptr},
    {"rate", kAnywhere, true, &R::Number, nullptr},
    {"rates", kAnywhere, true, &R::Rates, nullptr},
    {"stream-depth", kAnywhere, true, &R::Depth, nullptr},
    {"asio-depth", kAnywhere, true, &R::Depth, nullptr},
    {"wdm-depth", kAnywhere, true, &R::Depth, nullptr},
    {"dropouts", kAnywhere, false, &R::Dropouts, nullptr},
    {"streaming", kAnywhere, true, &R::Streaming, nullptr},
    {"wdm-in-use", kAnywhere, false, &R::WdmInUse, nullptr},
    {"asio-name-option", kAnywhere, true, &R::Number, nullptr},
    {"event", kSimLive, false, nullptr, &C::Event},
    {"fail", kAnywhere, false, &R::Fault, nullptr},
    {"delay", kAnywhere, false, &R::Fault, nullptr},
    {"malform", kAnywhere, false, &R::Fault, nullptr},
    {"endless-events", kAnywhere, false, &R::EndlessEvents, nullptr},
    {"faults", kSimLive, false, nullptr, &C::ListFaults},
    {"clear", kSimLive, false, nullptr, &C::Clear},
    {"state", kSimLive, false, nullptr, &C::State},
    {"clear trace", kSimWindowOnly, false, nullptr, nullptr},
    {"save trace", kSimWindowOnly, false, nullptr, nullptr},
    {"stats", kSimWindowOnly, false, nullptr, nullptr},
};

}  // namespace

std::span<const SimStatement> SimStatements()
{
    return kStatements;
}

const SimStatement* FindSimStatement(const std::vector<std::string>& words)
{
    if (words.empty())
        return nullptr;
    // Scenario files of old wrote a plug's state as "plug PLUG STATE": still read so.
    if (words.size() > 2 && words[0] == "plug" && IsSimPlugName(words[1]))
        return FindSimStatement({"plug-state"});
    const std::string twoWords = words.size() > 1 ? words[0] + " " + words[1] : std::string();
    const SimStatement* found = nullptr;
    for (const SimStatement& statement : kStatements) {
        if (twoWords == statement.verb)
            return &statement;
        if (!found && words[0] == statement.verb)
            found = &statement;
    }
    return found;
}
