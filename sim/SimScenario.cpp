#include "sim/SimScenario.h"

#include <cstring>
#include <optional>
#include <sstream>

#include "driver/ControlCodes.h"
#include "sim/SimDriver.h"

namespace {

// The words of one line: bare words, or texts in double quotes that may hold blanks.
bool SplitWords(const std::string& line, std::vector<std::string>& words)
{
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '#') {
            break;
        } else if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                return false;
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const size_t end = line.find_first_of(" \t\r", i);
            words.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
            i = end == std::string::npos ? line.size() : end;
        }
    }
    return true;
}

std::optional<uint32_t> Number(const std::string& word)
{
    if (word.empty() || word[0] == '-')
        return std::nullopt;
    try {
        size_t used = 0;
        const unsigned long long value = std::stoull(word, &used, 0);
        if (used != word.size() || value > 0xFFFFFFFFull)
            return std::nullopt;
        return static_cast<uint32_t>(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<uint32_t> RequestCode(const std::string& name)
{
    if (name == "open")
        return kSimOpenRequest;
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue()) {
        if (name == request.name)
            return request.code;
    }
    return std::nullopt;
}

class CScenarioReader {
public:
    explicit CScenarioReader(SimScenario& scenario) : m_scenario(scenario) {}

    // Empty on success, else why the statement was refused.
    std::string Statement(const std::vector<std::string>& w);

private:
    bool Numbers(const std::vector<std::string>& w, size_t first, size_t count, std::vector<uint32_t>& out);
    std::string Device(const std::vector<std::string>& w);
    std::string Plug(const std::vector<std::string>& w);
    std::string Fault(const std::vector<std::string>& w);
    SimDevice* LastDevice() { return m_scenario.bus.devices.empty() ? nullptr : &m_scenario.bus.devices.back(); }

    SimScenario& m_scenario;
    bool m_offersReplaced = false;
};

bool CScenarioReader::Numbers(const std::vector<std::string>& w, size_t first, size_t count,
                              std::vector<uint32_t>& out)
{
    if (w.size() != first + count)
        return false;
    for (size_t i = first; i < w.size(); ++i) {
        const auto value = Number(w[i]);
        if (!value)
            return false;
        out.push_back(*value);
    }
    return true;
}

std::string CScenarioReader::Statement(const std::vector<std::string>& w)
{
    SimBus& bus = m_scenario.bus;
    const std::string& verb = w[0];
    std::vector<uint32_t> n;
    if (verb == "bus" && w.size() == 2 && (w[1] == "empty" || w[1] == "default")) {
        bus = w[1] == "empty" ? EmptyBus() : DefaultBus();
    } else if (verb == "device") {
        return Device(w);
    } else if ((verb == "current-sync" || verb == "offer-sync") && w.size() == 4 &&
               Numbers({w[0], w[1], w[2]}, 1, 2, n)) {
        SimDevice* device = LastDevice();
        if (!device)
            return "no device before it";
        const SimSyncMode mode{n[0], n[1], w[3]};
        if (verb == "current-sync") {
            device->currentSync = mode;
        } else {
            if (!m_offersReplaced)
                device->offeredSync.clear();
            m_offersReplaced = true;
            device->offeredSync.push_back(mode);
        }
    } else if (verb == "plug") {
        return Plug(w);
    } else if (verb == "channel-name" && w.size() == 4 && (w[1] == "in" || w[1] == "out")) {
        const auto index = Number(w[2]);
        SimDevice* device = LastDevice();
        if (!device || !index)
            return "needs a device before it and an index";
        uint32_t seen = 0;
        for (SimChannel& channel : w[1] == "in" ? bus.inputs : bus.outputs) {
            if (channel.deviceId == device->id && seen++ == *index) {
                channel.name = w[3];
                return {};
            }
        }
        return "the device has no such channel";
    } else if (verb == "driver" && w.size() == 2 && w[1] == "absent") {
        bus.driverPresent = false;
    } else if (verb == "version" && Numbers(w, 1, 5, n)) {
        if (n[0] > 255 || n[1] > 255 || n[2] > 255 || n[3] > 255)
            return "version parts above 255";
        bus.version = {static_cast<uint8_t>(n[0]), static_cast<uint8_t>(n[1]), static_cast<uint8_t>(n[2]),
                       static_cast<uint8_t>(n[3]), n[4], 0};
    } else if (verb == "clock" && Numbers(w, 1, 2, n)) {
        bus.clockSource.masterFlag = n[0];
        bus.clockSource.masterDeviceId = n[1];
    } else if (verb == "rate-mode" && Numbers(w, 1, 1, n)) {
        bus.rateMode = n[0];
    } else if (verb == "rate" && Numbers(w, 1, 1, n)) {
        bus.currentRate = n[0];
    } else if (verb == "rates" && Numbers(w, 1, w.size() - 1, n)) {
        bus.supportedRates = n;
    } else if ((verb == "stream-depth" || verb == "asio-depth" || verb == "wdm-depth") && Numbers(w, 1, 4, n)) {
        SimDepth& depth = verb == "stream-depth" ? bus.streamDepth
                          : verb == "asio-depth" ? bus.asioDepth
                                                 : bus.wdmDepth;
        depth = {n[0], n[1], n[2], n[3], depth.reserved};
    } else if (verb == "dropouts" && Numbers(w, 1, 1, n)) {
        bus.asioDropouts = n[0];
    } else if (verb == "streaming" && w.size() == 2 && (w[1] == "on" || w[1] == "off")) {
        bus.streaming = w[1] == "on";
    } else if (verb == "wdm-in-use" && w.size() == 1) {
        bus.wdmDeviceInUse = true;
    } else if (verb == "asio-name-option" && Numbers(w, 1, 1, n)) {
        bus.asioNameOption = n[0];
    } else if (verb == "fail" || verb == "delay" || verb == "malform") {
        return Fault(w);
    } else if (verb == "endless-events") {
        SimScenarioFault fault;
        fault.kind = SimScenarioFault::Kind::EndlessEvents;
        if (w.size() != 2 || (w[1] != "off" && !Numbers(w, 1, 1, n)))
            return "expects an event kind or off";
        if (w[1] != "off")
            fault.eventKind = n[0];
        m_scenario.faults.push_back(fault);
    } else {
        return "not understood";
    }
    return {};
}

std::string CScenarioReader::Device(const std::vector<std::string>& w)
{
    std::vector<uint32_t> n;
    if (w.size() != 5 || !Numbers({w[0], w[3], w[4]}, 1, 2, n))
        return "expects: device \"name\" \"serial\" INPUTS OUTPUTS";
    if (m_scenario.bus.devices.size() >= 64 || n[0] > 256 || n[1] > 256)
        return "more than a bus can hold";
    AddStandardDevice(m_scenario.bus, w[1], w[2], n[0], n[1]);
    m_offersReplaced = false;
    return {};
}

std::string CScenarioReader::Plug(const std::vector<std::string>& w)
{
    constexpr uint32_t kNoValue = 0xFFFFFFFF;
    static constexpr const char* kNames[PlugCount] = {"audio-out", "audio-in", "synch-out", "synch-in"};
    SimDevice* device = LastDevice();
    if (!device || w.size() < 3)
        return "expects a device before it: plug WHICH absent|fail CODE|stream N";
    for (int i = 0; i < PlugCount; ++i) {
        if (w[1] != kNames[i])
            continue;
        SimPlug& plug = device->plugs[static_cast<size_t>(i)];
        const uint32_t value = w.size() == 4 ? Number(w[3]).value_or(kNoValue) : kNoValue;
        if (w[2] == "absent" && w.size() == 3)
            plug.present = false;
        else if (w[2] == "fail" && value != kNoValue)
            plug.failCode = value;
        else if (w[2] == "stream" && value <= 0x7FFFFFFF)
            plug.fixedStreamNumber = static_cast<int32_t>(value);
        else
            return "expects absent, fail CODE or stream N";
        return {};
    }
    return "no such plug";
}

std::string CScenarioReader::Fault(const std::vector<std::string>& w)
{
    if (w.size() < 3)
        return "expects a request and what to do";
    const auto code = RequestCode(w[1]);
    if (!code)
        return "no request named " + w[1];
    SimScenarioFault fault;
    fault.code = *code;
    if (w[0] == "fail") {
        const auto error = Number(w[2]);
        if (!error)
            return "expects an error code";
        fault.error = *error;
        for (size_t i = 3; i < w.size(); ++i) {
            if (w[i] == "always") {
                fault.repeat = FaultRepeat::Always;
            } else if (const auto skip = w[i] == "skip" && i + 1 < w.size() ? Number(w[i + 1]) : std::nullopt) {
                fault.skip = skip.value();
                ++i;
            } else {
                return "expects always or skip N";
            }
        }
    } else if (w[0] == "delay") {
        const auto ms = Number(w[2]);
        if (!ms || w.size() != 3)
            return "expects milliseconds";
        fault.kind = SimScenarioFault::Kind::Delay;
        fault.delay = std::chrono::milliseconds(*ms);
    } else {
        fault.kind = SimScenarioFault::Kind::Malform;
        fault.repeat = FaultRepeat::Always;
        if (w[2] == "unterminated")
            fault.malformation = Malformation::UnterminatedText;
        else if (w[2] == "counts")
            fault.malformation = Malformation::CountsBeyondCapacity;
        else if (w[2] == "short")
            fault.malformation = Malformation::ShortAnswer;
        else
            return "expects unterminated, counts or short";
        if (w.size() == 4 && w[3] == "once")
            fault.repeat = FaultRepeat::Once;
        else if (w.size() != 3)
            return "expects nothing but once after it";
    }
    m_scenario.faults.push_back(fault);
    return {};
}

}  // namespace

bool ParseSimScenario(std::istream& in, SimScenario& scenario, std::string& error)
{
    CScenarioReader reader(scenario);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::vector<std::string> words;
        std::string why = SplitWords(line, words) ? std::string() : "a text without its closing quote";
        if (why.empty() && !words.empty())
            why = reader.Statement(words);
        if (!why.empty()) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    return true;
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
