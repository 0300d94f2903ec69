#include "simapp/SimBusForm.h"

#include <cstdio>

#include "sim/SimPlugLine.h"
#include "sim/SimWords.h"

namespace {

constexpr const char* kBufferVerbs[] = {"stream-depth", "asio-depth", "wdm-depth"};
constexpr const char* kBufferNames[] = {"Stream", "ASIO", "WDM"};

// The kinds of fault the window offers, and the statement each one becomes.
struct FaultKind {
    const char* text;
    const char* verb;
    const char* how;   // malform's word; null where the value box says it
};
constexpr FaultKind kFaultKinds[] = {
    {"Fail with driver code", "fail", nullptr},
    {"Fail with system error", "fail", nullptr},
    {"Slow answer (ms)", "delay", nullptr},
    {"Unterminated text", "malform", "unterminated"},
    {"Counts beyond room", "malform", "counts"},
    {"Short answer", "malform", "short"},
    {"Endless events (kind)", "endless-events", nullptr},
};

// " N" for the selected device, nothing without one (the statement then says what is missing).
std::string SelectedDevice(const SimBusForm& form)
{
    return form.device < 0 ? std::string() : " " + std::to_string(form.device + 1);
}

// An index of a choice box, or its first entry when none is chosen.
template <typename Entry, size_t N>
const Entry& Chosen(const Entry (&entries)[N], int index)
{
    return entries[index >= 0 && static_cast<size_t>(index) < N ? index : 0];
}

std::string OnOff(int check)
{
    return check == 1 ? " on" : " off";
}

}  // namespace

std::vector<std::string> SimBufferNames()
{
    return {std::begin(kBufferNames), std::end(kBufferNames)};
}

std::vector<std::string> SimFaultKindNames()
{
    std::vector<std::string> names;
    for (const FaultKind& kind : kFaultKinds)
        names.push_back(kind.text);
    return names;
}

std::string TypedStatement(const SimBusForm& form) { return form.statement; }
std::string UnplugStatement(const SimBusForm& form) { return "unplug" + SelectedDevice(form); }
std::string PlugBackStatement(const SimBusForm& form) { return "plug" + SelectedDevice(form); }
std::string UnloadStatement(const SimBusForm&) { return "driver unload"; }
std::string LoadStatement(const SimBusForm&) { return "driver load"; }
std::string VersionStatement(const SimBusForm& form) { return "version " + form.version; }
std::string RateStatement(const SimBusForm& form) { return "rate " + form.rate; }
std::string RatesStatement(const SimBusForm& form) { return "rates " + form.rates; }
std::string StreamingStatement(const SimBusForm& form) { return "streaming" + OnOff(form.streaming); }
std::string WdmInUseStatement(const SimBusForm& form) { return "wdm-in-use" + OnOff(form.wdmInUse); }
std::string DropOutStatement(const SimBusForm&) { return "dropouts +1"; }
std::string ClearTraceStatement(const SimBusForm&) { return "clear trace"; }

std::string PlugStateStatement(const SimBusForm& form)
{
    const std::string state = Chosen(kSimPlugStates, form.plugState);
    const bool valued = state == kSimPlugStates[static_cast<int>(SimPlugState::Fail)] ||
                        state == kSimPlugStates[static_cast<int>(SimPlugState::Stream)];
    return "plug-state" + SelectedDevice(form) + " " + Chosen(kSimPlugNames, form.plug) + " " + state +
           (valued ? " " + form.plugValue : std::string());
}

std::string AddDeviceStatement(const SimBusForm& form)
{
    return "add-device \"" + form.newName + "\" \"" + form.newSerial + "\" " + form.newInputs + " " + form.newOutputs;
}

std::string ClockStatement(const SimBusForm& form)
{
    if (form.master <= 0 || static_cast<size_t>(form.master) > form.masterIds.size())
        return "clock 0 0";
    char id[16];
    std::snprintf(id, sizeof id, "0x%08X", form.masterIds[static_cast<size_t>(form.master) - 1]);
    return std::string("clock 1 ") + id;
}

std::string BufferStatement(const SimBusForm& form)
{
    return std::string(Chosen(kBufferVerbs, form.buffer)) + " " + form.depths;
}

std::string EventStatement(const SimBusForm& form)
{
    return "event " + form.eventKind + " " + form.eventCount;
}

std::string AddFaultStatement(const SimBusForm& form)
{
    if (form.faultRequest.empty() || form.faultKind < 0)
        return "fail";
    const FaultKind& fault = Chosen(kFaultKinds, form.faultKind);
    const std::string verb = fault.verb;
    // Events without end are no request's fault: the value box holds their kind.
    if (verb == "endless-events")
        return verb + " " + form.faultValue;
    const std::string statement = verb + " " + form.faultRequest + " ";
    if (fault.how)
        return statement + fault.how + (form.faultAlways == 1 ? "" : " once");
    return statement + form.faultValue + (form.faultAlways == 1 && verb == "fail" ? " always" : "");
}

std::string RemoveFaultStatement(const SimBusForm& form)
{
    // A listed fault reads as the statement that set it: its second word is the request.
    std::vector<std::string> words;
    SplitSimWords(form.selectedFault, words);
    if (!words.empty() && words[0] == "endless-events")
        return "endless-events off";
    return "clear fault" + (words.size() > 1 ? " " + words[1] : std::string());
}
