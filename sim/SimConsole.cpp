#include "sim/SimConsole.h"

#include <algorithm>
#include <optional>

#include "driver/ControlCodes.h"
#include "driver/DriverRecords.h"
#include "sim/SimAnswers.h"
#include "sim/SimDriver.h"
#include "sim/SimPlugLine.h"
#include "sim/SimStateReport.h"
#include "sim/SimStatements.h"
#include "sim/SimWords.h"

namespace {

SimAnswer Applied(std::string text = "ok")
{
    return {true, std::move(text)};
}

SimAnswer Refused(std::string why)
{
    return {false, std::move(why)};
}

std::string RequestName(uint32_t code)
{
    if (code == kSimOpenRequest)
        return "open";
    const OvxIoctl::Request* request = OvxIoctl::FindRequest(code);
    return request ? request->name : std::to_string(code);
}

void ChannelsOf(const SimBus& bus, SimRosterEntry& entry)
{
    entry.inputs.clear();
    entry.outputs.clear();
    for (const SimChannel& channel : bus.inputs) {
        if (channel.deviceId == entry.id)
            entry.inputs.push_back(channel);
    }
    for (const SimChannel& channel : bus.outputs) {
        if (channel.deviceId == entry.id)
            entry.outputs.push_back(channel);
    }
}

}  // namespace

SimAnswer CSimConsole::Execute(const std::string& line)
{
    std::vector<std::string> words;
    if (!SplitSimWords(line, words))
        return Refused("a text without its closing quote");
    if (words.empty())
        return Applied("nothing to do");
    const SimStatement* statement = FindSimStatement(words);
    if (!statement)
        return Refused(SimExpected(words, 0, "a statement (see the README's table)"));
    if (statement->run)
        return (this->*statement->run)(words);
    if (statement->read)
        return BusStatement(*statement, words);
    return Refused("refused: " + std::string(statement->verb) + " is the bus window's own statement");
}

SimAnswer CSimConsole::BusStatement(const SimStatement& statement, const std::vector<std::string>& w)
{
    std::string why;
    SimScenario scenario{SimBus{}, {}};
    m_driver.Change([&](SimBus& bus) {
        scenario.bus = bus;
        why = (m_reader.*statement.read)(w, scenario);
        if (!why.empty())
            return;
        SimBus& changed = scenario.bus;
        changed.driverPresent = bus.driverPresent;
        // A running stream restarts with the new configuration, as the driver's do.
        if (changed.streaming && (statement.changesConfiguration || !bus.streaming))
            CSimAnswers::StartStreams(changed);
        else if (!changed.streaming)
            CSimAnswers::StopStreams(changed);
        bus = std::move(changed);
    });
    if (!why.empty())
        return Refused(why);
    if (w[0] == "bus")
        m_roster.clear();
    ApplySimFaults(scenario, m_driver);
    if (statement.changesConfiguration)
        m_driver.RaiseEvent(EvtType_DomainConfigurationChanged);
    return Applied();
}

SimAnswer CSimConsole::Driver(const std::vector<std::string>& w)
{
    const std::string how = w.size() == 2 ? w[1] : std::string();
    if (how != "unload" && how != "load" && how != "absent" && how != "present")
        return Refused(SimExpected(w, w.size() == 2 || w.size() == 1 ? 1 : 2,
                                   w.size() > 2 ? "nothing more" : "unload or load"));
    const bool present = how == "load" || how == "present";
    m_driver.SetDriverPresent(present);
    return Applied(present ? "the driver is loaded" : "the driver is unloaded");
}

SimAnswer CSimConsole::AddDevice(const std::vector<std::string>& w)
{
    std::vector<std::string> statement = w;
    statement[0] = "device";
    std::string why;
    m_driver.Change([&](SimBus& bus) {
        SimScenario trial{bus, {}};
        why = m_reader.Statement(statement, trial);
    });
    if (!why.empty())
        return Refused(why);
    const uint32_t in = *ParseSimNumber(w[3]);
    const uint32_t out = *ParseSimNumber(w[4]);
    const uint32_t id = m_driver.PlugDevice(w[1], w[2], in, out);
    Reconcile(m_driver.Bus());
    const auto it = std::find_if(m_roster.begin(), m_roster.end(), [&](const SimRosterEntry& e) { return e.id == id; });
    return Applied("device " + std::to_string(it - m_roster.begin() + 1) + " \"" + w[1] + "\" plugged in");
}

SimAnswer CSimConsole::Replug(const std::vector<std::string>& w, bool plug)
{
    Reconcile(m_driver.Bus());
    const auto number = w.size() > 1 ? ParseSimNumber(w[1]) : std::nullopt;
    if (!number || *number == 0 || *number > m_roster.size())
        return Refused(SimExpected(w, 1, "a device number from 1 to " + std::to_string(m_roster.size())));
    if (w.size() > 2)
        return Refused(SimExpected(w, 2, "nothing more"));
    SimRosterEntry& entry = m_roster[*number - 1];
    const std::string named = "device " + w[1] + " \"" + entry.device.name + "\"";
    if (entry.plugged == plug)
        return Refused("refused: " + named + " is " + (plug ? "plugged in" : "unplugged") + " already");
    if (!plug) {
        m_driver.UnplugDevice(entry.id);
        entry.plugged = false;
        return Applied(named + " unplugged");
    }
    const SimBus bus = m_driver.Bus();
    if (bus.devices.size() >= kMaxDevices)
        return Refused("refused: the bus holds 64 devices already");
    if (bus.inputs.size() + entry.inputs.size() > kMaxChannels ||
        bus.outputs.size() + entry.outputs.size() > kMaxChannels)
        return Refused("refused: " + named + " would bring the bus beyond 256 channels a direction");
    if (!m_driver.ReplugDevice(entry.device, entry.inputs, entry.outputs))
        return Refused("refused: the ids of " + named + " are taken on the bus");
    entry.plugged = true;
    return Applied(named + " plugged back in");
}

SimAnswer CSimConsole::PlugState(const std::vector<std::string>& w)
{
    SimPlugLine line;
    if (std::string why = ReadSimPlugLine(w, line); !why.empty())
        return Refused(why);
    Reconcile(m_driver.Bus());
    if (line.device && (*line.device == 0 || *line.device > m_roster.size()))
        return Refused(SimExpected(w, 1, "a device number from 1 to " + std::to_string(m_roster.size())));
    if (line.device && !m_roster[*line.device - 1].plugged)
        return Refused("refused: device " + w[1] + " is unplugged");
    const std::optional<uint32_t> id = line.device ? std::optional(m_roster[*line.device - 1].id) : std::nullopt;
    bool found = false;
    m_driver.Change([&](SimBus& bus) {
        for (SimDevice& device : bus.devices) {
            if (id ? device.id == *id : &device == &bus.devices.back()) {
                ApplySimPlugLine(line, device);
                found = true;
            }
        }
        if (found && bus.streaming)
            CSimAnswers::StartStreams(bus);
    });
    if (!found)
        return Refused("refused: " + w[0] + " needs a device before it");
    m_driver.RaiseEvent(EvtType_StreamingRestarted);
    return Applied();
}

SimAnswer CSimConsole::Event(const std::vector<std::string>& w)
{
    const auto kind = w.size() > 1 ? ParseSimNumber(w[1]) : std::nullopt;
    if (!kind)
        return Refused(SimExpected(w, 1, "an event kind (1, 2, 3, 100 or any number)"));
    const auto count = w.size() > 2 ? ParseSimNumber(w[2]) : std::optional<uint32_t>(1);
    if (!count || *count == 0 || *count > 64)
        return Refused(SimExpected(w, 2, "a count from 1 to 64 (the queue holds 64)"));
    if (w.size() > 3)
        return Refused(SimExpected(w, 3, "nothing more"));
    for (uint32_t i = 0; i < *count; ++i)
        m_driver.RaiseEvent(*kind);
    return Applied(std::to_string(*count) + " event" + (*count == 1 ? "" : "s") + " of kind " + w[1] + " queued");
}

SimAnswer CSimConsole::Clear(const std::vector<std::string>& w)
{
    if (w.size() == 2 && w[1] == "faults") {
        m_driver.ClearFaults();
        return Applied("no faults");
    }
    if (w.size() < 2 || w[1] != "fault")
        return Refused(SimExpected(w, 1, "faults, or fault REQUEST"));
    const auto code = w.size() > 2 ? SimRequestCode(w[2]) : std::nullopt;
    if (!code)
        return Refused(SimExpected(w, 2, "a request's name (as the trace writes it) or open"));
    if (w.size() > 3)
        return Refused(SimExpected(w, 3, "nothing more"));
    m_driver.ClearFaults(*code);
    return Applied();
}

SimAnswer CSimConsole::ListDevices(const std::vector<std::string>& w)
{
    if (w.size() > 1)
        return Refused(SimExpected(w, 1, "nothing more"));
    std::string text;
    const std::vector<SimRosterEntry> roster = Roster();
    for (size_t i = 0; i < roster.size(); ++i) {
        const SimRosterEntry& e = roster[i];
        text += (i ? "\n" : "") + std::to_string(i + 1) + (e.plugged ? " plugged" : " unplugged") + " \"" +
                e.device.name + "\" \"" + e.device.serialNumber + "\" " + std::to_string(e.inputs.size()) + " " +
                std::to_string(e.outputs.size());
    }
    return Applied(roster.empty() ? "no devices" : text);
}

SimAnswer CSimConsole::ListFaults(const std::vector<std::string>& w)
{
    if (w.size() > 1)
        return Refused(SimExpected(w, 1, "nothing more"));
    std::string text;
    static constexpr const char* kVerbs[] = {"fail", "delay", "malform"};
    for (const CSimFaults::Entry& fault : m_driver.Faults()) {
        text += (text.empty() ? "" : "\n") + std::string(kVerbs[static_cast<int>(fault.kind)]) + " " +
                RequestName(fault.code) + " " + fault.words;
    }
    if (const auto endless = m_driver.EndlessEvents())
        text += (text.empty() ? "" : "\n") + std::string("endless-events ") + std::to_string(*endless);
    return Applied(text.empty() ? "no faults" : text);
}

SimAnswer CSimConsole::State(const std::vector<std::string>& w)
{
    if (w.size() > 1)
        return Refused(SimExpected(w, 1, "nothing more"));
    return Applied(SimStateReport(m_driver.Bus(), m_driver.ConnectionCounts()));
}

std::vector<SimRosterEntry> CSimConsole::Roster()
{
    Reconcile(m_driver.Bus());
    return m_roster;
}

void CSimConsole::Reconcile(const SimBus& bus)
{
    std::erase_if(m_roster, [&](const SimRosterEntry& entry) {
        return entry.plugged && std::none_of(bus.devices.begin(), bus.devices.end(),
                                             [&](const SimDevice& device) { return device.id == entry.id; });
    });
    for (const SimDevice& device : bus.devices) {
        auto it = std::find_if(m_roster.begin(), m_roster.end(),
                               [&](const SimRosterEntry& entry) { return entry.id == device.id; });
        if (it == m_roster.end()) {
            m_roster.push_back({device.id, true, device, {}, {}});
            it = m_roster.end() - 1;
        }
        it->plugged = true;
        it->device = device;
        ChannelsOf(bus, *it);
    }
}
