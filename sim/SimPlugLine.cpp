#include "sim/SimPlugLine.h"

#include "sim/SimWords.h"

namespace {

template <typename Enum, size_t N>
std::optional<Enum> Find(const char* const (&names)[N], const std::string& word)
{
    for (size_t i = 0; i < N; ++i) {
        if (word == names[i])
            return static_cast<Enum>(i);
    }
    return std::nullopt;
}

}  // namespace

bool IsSimPlugName(const std::string& word)
{
    return Find<SimPlugIndex>(kSimPlugNames, word).has_value();
}

std::string ReadSimPlugLine(const std::vector<std::string>& w, SimPlugLine& line)
{
    size_t at = 1;
    if (at < w.size() && !IsSimPlugName(w[at])) {
        line.device = ParseSimNumber(w[at]);
        if (!line.device)
            return SimExpected(w, at, "a device number or a plug");
        ++at;
    }
    const auto plug = at < w.size() ? Find<SimPlugIndex>(kSimPlugNames, w[at]) : std::nullopt;
    if (!plug)
        return SimExpected(w, at, "audio-out, audio-in, synch-out or synch-in");
    line.plug = *plug;
    const auto state = ++at < w.size() ? Find<SimPlugState>(kSimPlugStates, w[at]) : std::nullopt;
    if (!state)
        return SimExpected(w, at, "present, absent, fail CODE or stream N");
    line.state = *state;
    const bool valued = line.state == SimPlugState::Fail || line.state == SimPlugState::Stream;
    if (valued) {
        const auto value = ++at < w.size() ? ParseSimNumber(w[at]) : std::nullopt;
        // Read once: g++ 12 at -Os takes each *value for a read of an empty optional.
        const uint32_t number = value.value_or(0);
        // Code 0 would be a failure that reports success.
        if (line.state == SimPlugState::Fail && (!value || number == 0))
            return SimExpected(w, at, "an error code other than 0");
        if (line.state == SimPlugState::Stream && (!value || number > 0x7FFFFFFF))
            return SimExpected(w, at, "a stream number below 0x80000000");
        line.value = number;
    }
    if (w.size() > ++at)
        return SimExpected(w, at, "nothing more");
    return {};
}

void ApplySimPlugLine(const SimPlugLine& line, SimDevice& device)
{
    SimPlug& plug = device.plugs[static_cast<size_t>(line.plug)];
    plug.present = line.state != SimPlugState::Absent;
    plug.failCode = line.state == SimPlugState::Fail ? line.value : 0;
    if (line.state == SimPlugState::Stream)
        plug.fixedStreamNumber = static_cast<int32_t>(line.value);
}
