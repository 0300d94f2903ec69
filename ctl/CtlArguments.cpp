#include "ctl/CtlArguments.h"

#include <cctype>
#include <charconv>

#include "driver/RecordText.h"
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

CtlOutcome CheckName(const std::string& name)
{
    if (name.empty())
        return CtlUsage("the name is empty; expected 1 to " + std::to_string(kNameFieldSize - 1) + " characters");
    if (FindControlCharacter(name) != std::string_view::npos)
        return CtlUsage("the name " + Quoted(name) + " holds a control character; expected printable characters only");
    if (name.size() >= kNameFieldSize)
        return CtlUsage("the name " + Quoted(name) + " is " + std::to_string(name.size()) +
                        " characters long; at most " + std::to_string(kNameFieldSize - 1) + " fit");
    return CtlDone();
}

namespace {

// The one record whose field matches; -1 for none, -2 for more than one.
template <typename Array, typename Field>
int FindUnique(const Array& records, std::string_view text, Field field)
{
    int found = -1;
    for (int i = 0; i < records.GetSize(); ++i) {
        if (SameText(field(*records.GetAt(i)), text))
            found = found == -1 ? i : -2;
    }
    return found;
}

template <typename Array>
bool ByPosition(const Array& records, std::string_view text, int& index)
{
    uint32_t position = 0;
    if (!ParseUnsigned(text, position) || position < 1 || position > static_cast<uint32_t>(records.GetSize()))
        return false;
    index = static_cast<int>(position) - 1;
    return true;
}

}  // namespace

CtlOutcome FindDevice(const CDrv& drv, std::string_view text, int& index)
{
    if (ByPosition(drv.m_devices, text, index))
        return CtlDone();
    for (const auto field : {+[](const _OVX_DEVICE_PROPERTIES& d) { return FieldText(d.serialNumber); },
                             +[](const _OVX_DEVICE_PROPERTIES& d) { return FieldText(d.name); }}) {
        const int found = FindUnique(drv.m_devices, text, field);
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

CtlOutcome FindChannel(const CChannelArray& channels, std::string_view text, int& index)
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
