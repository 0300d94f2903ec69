#include "ctl/CtlArguments.h"

#include <cctype>
#include <charconv>

#include "driver/RecordText.h"
#include "protocol/NameRule.h"
#include "text/ControlText.h"

bool ParseUnsigned(std::string_view text, uint32_t& value)
{
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())))
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string Quoted(std::string_view text) { return QuoteAnsi(text); }

std::string QuotedPath(std::string_view text) { return QuoteAnsi(text, std::string_view::npos); }

std::string RuleMessage(WriteRule rule, std::string_view value)
{
    const std::string fit = std::to_string(kNameFieldSize - 1);
    switch (rule) {
    case WriteRule::None: return "";
    case WriteRule::NameControlCharacter:
        return "the name " + Quoted(value) + " holds a control character; expected printable characters only";
    case WriteRule::NameTooLong:
        return "the name " + Quoted(value) + " is " + std::to_string(value.size()) + " characters long; at most " +
               fit + " fit";
    case WriteRule::NameNotInCodePage:
        return "the name " + Quoted(value) + " has characters the system's ANSI code page cannot hold";
    case WriteRule::RankingNotAnOrder: return "the ranking must give every device a place of its own";
    case WriteRule::RateSetByClockMaster:
        return "the sampling rate is set automatically as defined by the clock master";
    case WriteRule::RateNotOffered: return "the driver does not offer that sampling rate";
    case WriteRule::DepthWithoutRange: return "the driver reports no settable range for the buffer";
    case WriteRule::DepthOffTheScale: return "the buffer depth is not one the driver's range offers";
    }
    return "";
}

CtlOutcome CheckNameArgument(const std::string& name)
{
    if (const WriteRule broken = CheckName(name); broken != WriteRule::None)
        return CtlUsage(RuleMessage(broken, name));
    return CtlDone();
}

namespace {

// The one record whose field matches; -1 for none, -2 for more than one.
template <typename Record, typename Field>
int FindUnique(const std::vector<Record>& records, std::string_view text, Field field)
{
    int found = -1;
    for (size_t i = 0; i < records.size(); ++i) {
        if (SameText(field(records[i]), text))
            found = found == -1 ? static_cast<int>(i) : -2;
    }
    return found;
}

template <typename Record>
bool ByPosition(const std::vector<Record>& records, std::string_view text, int& index)
{
    uint32_t position = 0;
    if (!ParseUnsigned(text, position) || position < 1 || position > records.size())
        return false;
    index = static_cast<int>(position) - 1;
    return true;
}

}  // namespace

CtlOutcome FindDevice(const std::vector<_OVX_DEVICE_PROPERTIES>& devices, std::string_view text, int& index)
{
    if (ByPosition(devices, text, index))
        return CtlDone();
    for (const auto field : {+[](const _OVX_DEVICE_PROPERTIES& d) { return FieldText(d.serialNumber); },
                             +[](const _OVX_DEVICE_PROPERTIES& d) { return FieldText(d.name); }}) {
        const int found = FindUnique(devices, text, field);
        if (found == -2)
            return CtlUsage("more than one device is called " + Quoted(text) + "; give its position");
        if (found >= 0) {
            index = found;
            return CtlDone();
        }
    }
    return CtlUsage("no device " + Quoted(text) +
                    ": expected a position in the devices listing, a serial number or a name");
}

CtlOutcome FindChannel(const std::vector<_OVX_CHANNEL_PROPERTIES>& channels, std::string_view text, int& index)
{
    if (ByPosition(channels, text, index))
        return CtlDone();
    for (const auto field : {+[](const _OVX_CHANNEL_PROPERTIES& c) { return FieldText(c.channelName); },
                             +[](const _OVX_CHANNEL_PROPERTIES& c) { return FieldText(c.hardwareName); }}) {
        const int found = FindUnique(channels, text, field);
        if (found == -2)
            return CtlUsage("more than one channel is called " + Quoted(text) + "; give its position");
        if (found >= 0) {
            index = found;
            return CtlDone();
        }
    }
    return CtlUsage("no channel " + Quoted(text) +
                    ": expected a position in the channels listing, a channel name or a hardware name");
}
