#include "sim/SimScenario.h"

#include <algorithm>
#include <optional>

#include "driver/DriverRecords.h"
#include "sim/SimDriver.h"
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
    SimBus& bus = scenario.bus;
    const std::string& verb = w.at(0);
    if (verb == "bus") {
        if (w.size() != 2 || (w[1] != "empty" && w[1] != "default"))
            return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "empty or default" : "nothing more");
        bus = w[1] == "empty" ? EmptyBus() : DefaultBus();
        m_bOffersReplaced = false;
        return {};
    }
    if (verb == "device")
        return Device(w, scenario);
    if (verb == "current-sync" || verb == "offer-sync")
        return Sync(w, bus);
    if (verb == "plug")
        return Plug(w, bus);
    if (verb == "channel-name")
        return ChannelName(w, bus);
    if (verb == "fail" || verb == "delay" || verb == "malform")
        return Fault(w, scenario);
    if (verb == "endless-events")
        return EndlessEvents(w, scenario);
    return Settings(w, bus);
}

std::string CSimScenarioReader::Settings(const std::vector<std::string>& w, SimBus& bus)
{
    const std::string& verb = w[0];
    std::vector<uint32_t> n;
    std::string why;
    if (verb == "driver") {
        if (w.size() != 2 || w[1] != "absent")
            return SimExpected(w, 1, "absent");
        bus.driverPresent = false;
    } else if (verb == "version") {
        if (!(why = Numbers(w, 1, 5, "IFMAJOR IFMINOR MAJOR MINOR BUILD", n)).empty())
            return why;
        for (size_t i = 0; i < 4; ++i) {
            if (n[i] > 255)
                return SimExpected(w, i + 1, "a version part of 0 to 255");
        }
        bus.version = {static_cast<uint8_t>(n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2]),
                       static_cast<uint8_t>(n[3]), n[4], 0};
    } else if (verb == "clock") {
        if (!(why = Numbers(w, 1, 2, "MASTERFLAG MASTERID", n)).empty())
            return why;
        if (n[0] > 1)
            return SimExpected(w, 1, "a master flag of 0 (the PC) or 1 (a device)");
        bus.clockSource.masterFlag = n[0];
        bus.clockSource.masterDeviceId = n[1];
    } else if (verb == "rate-mode" || verb == "rate" || verb == "dropouts" || verb == "asio-name-option") {
        if (!(why = Numbers(w, 1, 1, "a number", n)).empty())
            return why;
        uint32_t& field = verb == "rate-mode" ? bus.rateMode
                          : verb == "rate"    ? bus.currentRate
                          : verb == "dropouts" ? bus.asioDropouts
                                               : bus.asioNameOption;
        field = n[0];
    } else if (verb == "rates") {
        if (w.size() - 1 > kMaxSampleRates)
            return SimExpected(w, kMaxSampleRates + 1, "at most 8 rates");
        if (!(why = Numbers(w, 1, w.size() - 1, "a rate in Hz", n)).empty())
            return why;
        bus.supportedRates = n;
    } else if (verb == "stream-depth" || verb == "asio-depth" || verb == "wdm-depth") {
        if (!(why = Numbers(w, 1, 4, "MIN STEP CURRENT MAX", n)).empty())
            return why;
        SimDepth& depth = verb == "stream-depth" ? bus.streamDepth
                          : verb == "asio-depth" ? bus.asioDepth
                                                 : bus.wdmDepth;
        depth = {n[0], n[1], n[2], n[3], depth.reserved};
    } else if (verb == "streaming") {
        if (w.size() != 2 || (w[1] != "on" && w[1] != "off"))
            return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "on or off" : "nothing more");
        bus.streaming = w[1] == "on";
    } else if (verb == "wdm-in-use") {
        if (w.size() > 2 || (w.size() == 2 && w[1] != "on" && w[1] != "off"))
            return SimExpected(w, w.size() == 2 ? 1 : 2, w.size() == 2 ? "on or off" : "nothing more");
        bus.wdmDeviceInUse = w.size() == 1 || w[1] == "on";
    } else {
        return SimExpected(w, 0, "a statement (see the README's table)");
    }
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

std::string CSimScenarioReader::Sync(const std::vector<std::string>& w, SimBus& bus)
{
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

std::string CSimScenarioReader::ChannelName(const std::vector<std::string>& w, SimBus& bus)
{
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

std::string CSimScenarioReader::Plug(const std::vector<std::string>& w, SimBus& bus)
{
    static constexpr const char* kNames[PlugCount] = {"audio-out", "audio-in", "synch-out", "synch-in"};
    int which = -1;
    for (int i = 0; i < PlugCount && w.size() > 1; ++i) {
        if (w[1] == kNames[i])
            which = i;
    }
    if (which < 0)
        return SimExpected(w, 1, "audio-out, audio-in, synch-out or synch-in");
    const std::string& state = w.size() > 2 ? w[2] : std::string();
    if (state != "absent" && state != "fail" && state != "stream")
        return SimExpected(w, 2, "absent, fail CODE or stream N");
    const auto value = state != "absent" && w.size() > 3 ? ParseSimNumber(w[3]) : std::nullopt;
    if (state != "absent" && !value)
        return SimExpected(w, 3, state == "fail" ? "an error code" : "a stream number");
    const size_t words = state == "absent" ? 3 : 4;
    if (w.size() > words)
        return SimExpected(w, words, "nothing more");
    const uint32_t number = value.value_or(0);
    if (state == "stream" && number > 0x7FFFFFFF)
        return SimExpected(w, 3, "a stream number below 0x80000000");
    SimDevice* device = LastDevice(bus);
    if (!device)
        return "refused: plug needs a device before it";
    SimPlug& plug = device->plugs[static_cast<size_t>(which)];
    if (state == "absent")
        plug.present = false;
    else if (state == "fail")
        plug.failCode = number;
    else
        plug.fixedStreamNumber = static_cast<int32_t>(number);
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
