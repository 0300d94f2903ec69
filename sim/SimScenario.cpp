#include "sim/SimScenario.h"

#include <algorithm>
#include <optional>

#include "driver/DriverRecords.h"
#include "sim/SimDriver.h"
#include "sim/SimPlugLine.h"
#include "sim/SimStatements.h"
#include "sim/SimWords.h"

namespace {

// The numbers w[first] .. w[first + count - 1], and nothing after them; empty on success.
std::string Numbers(const std::vector<std::string>& w, size_t first, size_t count, const std::string& expected,
                    std::vector<uint32_t>& out)
{
    for (size_t i = first; i < first + count; ++i) {
        const auto value = i < w.size() ? ParseSimNumber(w[i]) : std::nullopt;
        if (!value)
            return SimExpected(w, i, expected);
        out.push_back(*value);
    }
    if (w.size() > first + count)
        return SimExpected(w, first + count, "nothing more");
    return {};
}

SimDevice* LastDevice(SimBus& bus)
{
    return bus.devices.empty() ? nullptr : &bus.devices.back();
}

}  // namespace

std::string CSimScenarioReader::Statement(const std::vector<std::string>& w, SimScenario& scenario)
{
    const SimStatement* statement = FindSimStatement(w);
    if (!statement)
        return SimExpected(w, 0, "a statement (see the README's table)");
    if (!(statement->places & kSimInScenario) || !statement->read)
        return "refused: " + std::string(statement->verb) + " is a statement of the running bus, not of a scenario file";
    return (this->*statement->read)(w, scenario);
}

std::string CSimScenarioReader::Bus(const std::vector<std::string>& w, SimScenario& scenario)
{
    if (w.size() != 2 || (w[1] != "empty" && w[1] != "default"))
        return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "empty or default" : "nothing more");
    scenario.bus = w[1] == "empty" ? EmptyBus() : DefaultBus();
    m_bOffersReplaced = false;
    return {};
}

std::string CSimScenarioReader::Driver(const std::vector<std::string>& w, SimScenario& scenario)
{
    if (w.size() != 2 || w[1] != "absent")
        return SimExpected(w, 1, "absent");
    scenario.bus.driverPresent = false;
    return {};
}

std::string CSimScenarioReader::Version(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (std::string why = Numbers(w, 1, 5, "IFMAJOR IFMINOR MAJOR MINOR BUILD", n); !why.empty())
        return why;
    for (size_t i = 0; i < 4; ++i) {
        if (n[i] > 255)
            return SimExpected(w, i + 1, "a version part of 0 to 255");
    }
    scenario.bus.version = {static_cast<uint8_t>(n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2]),
                            static_cast<uint8_t>(n[3]), n[4], 0};
    return {};
}

std::string CSimScenarioReader::Clock(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (std::string why = Numbers(w, 1, 2, "MASTERFLAG MASTERID", n); !why.empty())
        return why;
    if (n[0] > 1)
        return SimExpected(w, 1, "a master flag of 0 (the PC) or 1 (a device)");
    scenario.bus.clockSource.masterFlag = n[0];
    scenario.bus.clockSource.masterDeviceId = n[1];
    return {};
}

std::string CSimScenarioReader::Number(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (std::string why = Numbers(w, 1, 1, "a number", n); !why.empty())
        return why;
    SimBus& bus = scenario.bus;
    uint32_t& field = w[0] == "rate-mode" ? bus.rateMode : w[0] == "rate" ? bus.currentRate : bus.asioNameOption;
    field = n[0];
    return {};
}

std::string CSimScenarioReader::Rates(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (w.size() - 1 > kMaxSampleRates)
        return SimExpected(w, kMaxSampleRates + 1, "at most 8 rates");
    if (std::string why = Numbers(w, 1, w.size() - 1, "a rate in Hz", n); !why.empty())
        return why;
    scenario.bus.supportedRates = n;
    return {};
}

std::string CSimScenarioReader::Depth(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (std::string why = Numbers(w, 1, 4, "MIN STEP CURRENT MAX", n); !why.empty())
        return why;
    SimBus& bus = scenario.bus;
    SimDepth& depth = w[0] == "stream-depth" ? bus.streamDepth : w[0] == "asio-depth" ? bus.asioDepth : bus.wdmDepth;
    depth = {n[0], n[1], n[2], n[3], depth.reserved};
    return {};
}

std::string CSimScenarioReader::Dropouts(const std::vector<std::string>& w, SimScenario& scenario)
{
    // "+N" adds to the count, as the ASIO driver's own counting would.
    const bool adding = w.size() == 2 && !w[1].empty() && w[1][0] == '+';
    std::vector<uint32_t> n;
    std::vector<std::string> number = w;
    if (adding)
        number[1].erase(0, 1);
    if (std::string why = Numbers(number, 1, 1, adding ? "+N, a number of drop outs to add" : "a number", n);
        !why.empty())
        return adding ? SimExpected(w, 1, "+N, a number of drop outs to add") : why;
    uint32_t& count = scenario.bus.asioDropouts;
    if (adding && count > 0xFFFFFFFFu - n[0])
        return "refused: the count would pass 4294967295";
    count = adding ? count + n[0] : n[0];
    return {};
}

std::string CSimScenarioReader::Streaming(const std::vector<std::string>& w, SimScenario& scenario)
{
    if (w.size() != 2 || (w[1] != "on" && w[1] != "off"))
        return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "on or off" : "nothing more");
    scenario.bus.streaming = w[1] == "on";
    return {};
}

std::string CSimScenarioReader::WdmInUse(const std::vector<std::string>& w, SimScenario& scenario)
{
    if (w.size() > 2 || (w.size() == 2 && w[1] != "on" && w[1] != "off"))
        return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "on or off" : "nothing more");
    scenario.bus.wdmDeviceInUse = w.size() == 1 || w[1] == "on";
    return {};
}

std::string CSimScenarioReader::Device(const std::vector<std::string>& w, SimScenario& scenario)
{
    std::vector<uint32_t> n;
    if (w.size() < 3)
        return SimExpected(w, w.size(), "device \"NAME\" \"SERIAL\" INPUTS OUTPUTS");
    if (std::string why = Numbers(w, 3, 2, "INPUTS OUTPUTS", n); !why.empty())
        return why;
    SimBus& bus = scenario.bus;
    if (bus.devices.size() >= kMaxDevices)
        return "refused: the bus holds 64 devices already";
    if (bus.inputs.size() + n[0] > kMaxChannels)
        return SimExpected(w, 3, "at most " + std::to_string(kMaxChannels - bus.inputs.size()) +
                                     " inputs (256 on the bus)");
    if (bus.outputs.size() + n[1] > kMaxChannels)
        return SimExpected(w, 4, "at most " + std::to_string(kMaxChannels - bus.outputs.size()) +
                                     " outputs (256 on the bus)");
    AddStandardDevice(bus, w[1], w[2], n[0], n[1]);
    m_bOffersReplaced = false;
    return {};
}

std::string CSimScenarioReader::Sync(const std::vector<std::string>& w, SimScenario& scenario)
{
    SimBus& bus = scenario.bus;
    std::vector<uint32_t> n;
    if (std::string why = Numbers({w.begin(), w.begin() + std::min<size_t>(w.size(), 3)}, 1, 2, "MODE SOURCE", n);
        !why.empty())
        return why;
    if (w.size() != 4)
        return SimExpected(w, w.size() < 4 ? w.size() : 4, w.size() < 4 ? "a \"NAME\"" : "nothing more");
    SimDevice* device = LastDevice(bus);
    if (!device)
        return "refused: " + w[0] + " needs a device before it";
    const SimSyncMode mode{n[0], n[1], w[3]};
    if (w[0] == "current-sync") {
        device->currentSync = mode;
        return {};
    }
    const size_t kept = m_bOffersReplaced ? device->offeredSync.size() : 0;
    if (kept >= kMaxSyncModes)
        return "refused: a device offers at most 16 modes";
    if (!m_bOffersReplaced)
        device->offeredSync.clear();
    m_bOffersReplaced = true;
    device->offeredSync.push_back(mode);
    return {};
}

std::string CSimScenarioReader::ChannelName(const std::vector<std::string>& w, SimScenario& scenario)
{
    SimBus& bus = scenario.bus;
    if (w.size() < 2 || (w[1] != "in" && w[1] != "out"))
        return SimExpected(w, 1, "in or out");
    const auto index = w.size() > 2 ? ParseSimNumber(w[2]) : std::nullopt;
    if (!index)
        return SimExpected(w, 2, "a channel index from 0");
    if (w.size() != 4)
        return SimExpected(w, w.size() < 4 ? w.size() : 4, w.size() < 4 ? "a \"NAME\"" : "nothing more");
    SimDevice* device = LastDevice(bus);
    if (!device)
        return "refused: channel-name needs a device before it";
    uint32_t seen = 0;
    for (SimChannel& channel : w[1] == "in" ? bus.inputs : bus.outputs) {
        if (channel.deviceId == device->id && seen++ == *index) {
            channel.name = w[3];
            return {};
        }
    }
    return "refused: the device has no " + w[1] + "put channel " + w[2];
}

std::string CSimScenarioReader::PlugState(const std::vector<std::string>& w, SimScenario& scenario)
{
    SimPlugLine line;
    if (std::string why = ReadSimPlugLine(w, line); !why.empty())
        return why;
    std::vector<SimDevice>& devices = scenario.bus.devices;
    if (line.device && (*line.device == 0 || *line.device > devices.size()))
        return SimExpected(w, 1, "a device number from 1 to " + std::to_string(devices.size()));
    if (devices.empty())
        return "refused: " + w[0] + " needs a device before it";
    ApplySimPlugLine(line, line.device ? devices[*line.device - 1] : devices.back());
    return {};
}

std::string CSimScenarioReader::Fault(const std::vector<std::string>& w, SimScenario& scenario)
{
    const auto code = w.size() > 1 ? SimRequestCode(w[1]) : std::nullopt;
    if (!code)
        return SimExpected(w, 1, "a request's name (as the trace writes it) or open");
    SimScenarioFault fault;
    fault.code = *code;
    if (w[0] == "fail") {
        const auto error = w.size() > 2 ? ParseSimNumber(w[2]) : std::nullopt;
        // Code 0 would "fail" with success and nothing written.
        if (!error || *error == 0)
            return SimExpected(w, 2, "an error code other than 0");
        fault.error = *error;
        for (size_t i = 3; i < w.size(); ++i) {
            if (w[i] == "always") {
                fault.repeat = FaultRepeat::Always;
            } else if (w[i] == "skip") {
                const auto skip = i + 1 < w.size() ? ParseSimNumber(w[i + 1]) : std::nullopt;
                if (!skip)
                    return SimExpected(w, i + 1, "how many requests to let through");
                fault.skip = *skip;
                ++i;
            } else {
                return SimExpected(w, i, "always or skip N");
            }
        }
    } else if (w[0] == "delay") {
        std::vector<uint32_t> n;
        if (std::string why = Numbers(w, 2, 1, "milliseconds", n); !why.empty())
            return why;
        fault.kind = SimScenarioFault::Kind::Delay;
        fault.delay = std::chrono::milliseconds(n[0]);
    } else {
        fault.kind = SimScenarioFault::Kind::Malform;
        fault.repeat = FaultRepeat::Always;
        const std::string& how = w.size() > 2 ? w[2] : std::string();
        if (how == "unterminated")
            fault.malformation = Malformation::UnterminatedText;
        else if (how == "counts")
            fault.malformation = Malformation::CountsBeyondCapacity;
        else if (how == "short")
            fault.malformation = Malformation::ShortAnswer;
        else
            return SimExpected(w, 2, "unterminated, counts or short");
        if (w.size() > 3 && w[3] != "once")
            return SimExpected(w, 3, "once or nothing");
        if (w.size() > 4)
            return SimExpected(w, 4, "nothing more");
        if (w.size() == 4)
            fault.repeat = FaultRepeat::Once;
    }
    scenario.faults.push_back(fault);
    return {};
}

std::string CSimScenarioReader::EndlessEvents(const std::vector<std::string>& w, SimScenario& scenario)
{
    SimScenarioFault fault;
    fault.kind = SimScenarioFault::Kind::EndlessEvents;
    if (w.size() > 1 && w[1] != "off") {
        std::vector<uint32_t> n;
        if (std::string why = Numbers(w, 1, 1, "an event kind or off", n); !why.empty())
            return why;
        fault.eventKind = n[0];
    } else if (w.size() != 2) {
        return SimExpected(w, w.size() < 2 ? 1 : 2, w.size() < 2 ? "an event kind or off" : "nothing more");
    }
    scenario.faults.push_back(fault);
    return {};
}

void ApplySimFaults(const SimScenario& scenario, CSimDriver& driver)
{
    for (const SimScenarioFault& fault : scenario.faults) {
        switch (fault.kind) {
        case SimScenarioFault::Kind::Fail:
            driver.FailRequest(fault.code, fault.error, fault.repeat, fault.skip);
            break;
        case SimScenarioFault::Kind::Delay:
            driver.DelayRequest(fault.code, fault.delay);
            break;
        case SimScenarioFault::Kind::Malform:
            driver.MalformAnswer(fault.code, fault.malformation, fault.repeat);
            break;
        case SimScenarioFault::Kind::EndlessEvents:
            driver.SetEndlessEvents(fault.eventKind);
            break;
        }
    }
}
