#include "snapshot/SnapshotJson.h"

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>

#include "driver/DriverRecords.h"
#include "text/ControlText.h"

namespace {

using Json = nlohmann::ordered_json;

const char* const kPlugKeys[4] = {"audioOut", "audioIn", "synchOut", "synchIn"};

Json ModeJson(const SyncMode& mode)
{
    return {{"code", mode.code}, {"source", mode.source}, {"name", mode.name}};
}

Json ChannelsJson(const std::vector<SnapshotChannel>& channels)
{
    Json array = Json::array();
    for (const SnapshotChannel& channel : channels) {
        array.push_back({{"device", channel.device}, {"index", channel.index}, {"name", channel.name},
                         {"hardwareName", channel.hardwareName}});
    }
    return array;
}

Json SettingsJson(const Snapshot& s)
{
    Json devices = Json::array();
    for (const SnapshotDevice& device : s.devices)
        devices.push_back({{"serial", device.serial}, {"name", device.name}, {"sync", ModeJson(device.sync)}});
    return {{"devices", devices},
            {"channels", {{"in", ChannelsJson(s.inputs)}, {"out", ChannelsJson(s.outputs)}}},
            {"asioNamesIncludeDevice", s.asioNamesIncludeDevice},
            {"clockMaster", s.clockMasterIsPc ? Json{{"kind", kSnapshotPcClockMaster}}
                                              : Json{{"kind", "device"}, {"serial", s.clockMaster}}},
            {"rateMode", s.automaticRate ? "automatic" : "manual"},
            {"sampleRate", s.sampleRate},
            {"buffers", {{"stream", s.buffers.stream}, {"asio", s.buffers.asio}, {"wdm", s.buffers.wdm}}}};
}

Json InformationJson(const SnapshotInformation& info)
{
    Json plugs = Json::array();
    for (const SnapshotPlugs& device : info.plugs) {
        Json entry = {{"device", device.device}};
        for (size_t plug = 0; plug < 4; ++plug)
            entry[kPlugKeys[plug]] = device.states[plug];
        plugs.push_back(entry);
    }
    return {{"savedAt", info.savedAt},      {"computer", info.computer},
            {"driverInterface", info.interfaceVersion}, {"driverVersion", info.driverVersion},
            {"dropOuts", info.dropOuts},           {"plugs", plugs}};
}

// Reads the members of a snapshot's JSON, each checked for its type and range, and
// remembers the first fault with the field's path.
class CFieldReader {
public:
    SnapshotFault fault;

    bool Failed() const { return !fault.Ok(); }

    const Json* Member(const Json& object, const std::string& path, const char* key, Json::value_t type,
                       const char* expected)
    {
        if (Failed())
            return nullptr;
        const std::string place = path.empty() ? std::string(key) : path + "." + key;
        const auto found = object.find(key);
        if (found == object.end())
            return Fail(place, std::string("missing; expected ") + expected);
        const bool matches = found->type() == type ||
                             (type == Json::value_t::number_unsigned && found->is_number_integer() &&
                              found->get<int64_t>() >= 0);
        if (!matches)
            return Fail(place, std::string("expected ") + expected + ", found " + found->type_name());
        return &*found;
    }

    bool Unsigned(const Json& object, const std::string& path, const char* key, uint32_t& value,
                  uint32_t minimum = 0, uint32_t maximum = std::numeric_limits<uint32_t>::max())
    {
        const std::string expected = "a whole number from " + std::to_string(minimum) + " to " + std::to_string(maximum);
        const Json* member = Member(object, path, key, Json::value_t::number_unsigned, expected.c_str());
        if (!member)
            return false;
        const uint64_t number = member->get<uint64_t>();
        if (number < minimum || number > maximum)
            return Fail(path + "." + key, expected + ", found " + std::to_string(number)) != nullptr;
        value = static_cast<uint32_t>(number);
        return true;
    }

    // A text of the file, as it stands: whether the driver can take it is the restore's
    // question, asked name by name.
    bool Text(const Json& object, const std::string& path, const char* key, std::string& text)
    {
        const Json* member = Member(object, path, key, Json::value_t::string, "a text");
        if (!member)
            return false;
        text = member->get<std::string>();
        return true;
    }

    std::nullptr_t Fail(std::string place, std::string expected)
    {
        if (!Failed())
            fault = {std::move(place), std::move(expected)};
        return nullptr;
    }
};

std::string Index(const std::string& path, size_t i) { return path + "[" + std::to_string(i) + "]"; }

bool ReadMode(CFieldReader& r, const Json& device, const std::string& path, SyncMode& mode)
{
    const Json* sync = r.Member(device, path, "sync", Json::value_t::object, "an object");
    const std::string at = path + ".sync";
    return sync && r.Unsigned(*sync, at, "code", mode.code) && r.Unsigned(*sync, at, "source", mode.source) &&
           r.Text(*sync, at, "name", mode.name);
}

void ReadDevices(CFieldReader& r, const Json& settings, Snapshot& s)
{
    const Json* devices = r.Member(settings, "settings", "devices", Json::value_t::array, "an array");
    if (!devices)
        return;
    if (devices->size() > kMaxDevices)
        r.Fail("settings.devices", "at most " + std::to_string(kMaxDevices) + " devices");
    for (size_t i = 0; !r.Failed() && i < devices->size(); ++i) {
        const std::string path = Index("settings.devices", i);
        const Json& entry = (*devices)[i];
        if (!entry.is_object()) {
            r.Fail(path, std::string("expected an object, found ") + entry.type_name());
            break;
        }
        SnapshotDevice device;
        if (r.Text(entry, path, "serial", device.serial) && r.Text(entry, path, "name", device.name) &&
            ReadMode(r, entry, path, device.sync))
            s.devices.push_back(std::move(device));
    }
}

bool KnownSerial(const Snapshot& s, const std::string& serial)
{
    return std::any_of(s.devices.begin(), s.devices.end(), [&](const auto& d) { return d.serial == serial; });
}

void ReadChannelList(CFieldReader& r, const Json& channels, const char* key, Snapshot& s,
                     std::vector<SnapshotChannel>& into)
{
    const Json* list = r.Member(channels, "settings.channels", key, Json::value_t::array, "an array");
    const std::string listPath = std::string("settings.channels.") + key;
    if (list && list->size() > kMaxChannels)
        r.Fail(listPath, "at most " + std::to_string(kMaxChannels) + " channels");
    for (size_t i = 0; list && !r.Failed() && i < list->size(); ++i) {
        const std::string path = Index(listPath, i);
        const Json& entry = (*list)[i];
        if (!entry.is_object()) {
            r.Fail(path, std::string("expected an object, found ") + entry.type_name());
            break;
        }
        SnapshotChannel channel;
        if (!r.Text(entry, path, "device", channel.device) ||
            !r.Unsigned(entry, path, "index", channel.index, 0, kMaxChannels - 1) ||
            !r.Text(entry, path, "name", channel.name))
            break;
        if (!KnownSerial(s, channel.device))
            r.Fail(path + ".device", "the serial number of a device in settings.devices");
        const bool twice = std::any_of(into.begin(), into.end(), [&](const auto& c) {
            return c.device == channel.device && c.index == channel.index;
        });
        if (twice)
            r.Fail(path, "each device's channel once; index " + std::to_string(channel.index) + " is there twice");
        // The hardware name is for the reader; a restore never sends it.
        if (const auto hardware = entry.find("hardwareName"); hardware != entry.end() && hardware->is_string())
            channel.hardwareName = hardware->get<std::string>();
        into.push_back(std::move(channel));
    }
}

// Version 2: {"kind": "pc"} or {"kind": "device", "serial": S}, S empty for a master the
// snapshot could not name. Version 1: the word for the PC, or the master's serial.
void ReadClockMaster(CFieldReader& r, const Json& settings, uint32_t version, Snapshot& s)
{
    std::string serial;
    if (version == 1) {
        if (!r.Text(settings, "settings", "clockMaster", serial))
            return;
        s.clockMasterIsPc = serial == kSnapshotPcClockMaster;
        s.clockMaster = s.clockMasterIsPc ? std::string() : serial;
        return;
    }
    const Json* master = r.Member(settings, "settings", "clockMaster", Json::value_t::object, "an object");
    std::string kind;
    if (!master || !r.Text(*master, "settings.clockMaster", "kind", kind))
        return;
    s.clockMasterIsPc = kind == kSnapshotPcClockMaster;
    if (!s.clockMasterIsPc && kind != "device") {
        r.Fail("settings.clockMaster.kind", "\"pc\" or \"device\", found " + QuoteUtf8(kind));
        return;
    }
    if (!s.clockMasterIsPc && r.Text(*master, "settings.clockMaster", "serial", serial))
        s.clockMaster = serial;
}

void ReadClockAndRate(CFieldReader& r, const Json& settings, uint32_t version, Snapshot& s)
{
    ReadClockMaster(r, settings, version, s);
    if (const Json* mode = r.Member(settings, "settings", "rateMode", Json::value_t::string, "a text")) {
        if (*mode != "manual" && *mode != "automatic")
            r.Fail("settings.rateMode",
                   "\"manual\" or \"automatic\", found " + QuoteUtf8(mode->get_ref<const std::string&>()));
        s.automaticRate = *mode == "automatic";
    }
    r.Unsigned(settings, "settings", "sampleRate", s.sampleRate, 1);
    if (const Json* option = r.Member(settings, "settings", "asioNamesIncludeDevice", Json::value_t::boolean,
                                      "true or false"))
        s.asioNamesIncludeDevice = option->get<bool>();
    if (const Json* buffers = r.Member(settings, "settings", "buffers", Json::value_t::object, "an object")) {
        r.Unsigned(*buffers, "settings.buffers", "stream", s.buffers.stream);
        r.Unsigned(*buffers, "settings.buffers", "asio", s.buffers.asio);
        r.Unsigned(*buffers, "settings.buffers", "wdm", s.buffers.wdm);
    }
}

// "line 3, column 14" for the byte a parse error names (1 the first).
std::string LineAndColumn(std::string_view text, size_t byte)
{
    size_t line = 1, column = 1;
    for (size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// The deepest nesting a snapshot has is five levels (settings, channels, a direction, a
// channel); a document deeper than this is no snapshot, and is refused before the
// parser builds it (a few megabytes of brackets would take hundreds of megabytes).
constexpr size_t kDeepestNesting = 8;

// The place of the first bracket that opens a level deeper than kDeepestNesting, or npos.
size_t TooDeep(std::string_view text)
{
    size_t depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kDeepestNesting)
                return i;
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return std::string_view::npos;
}

// The library quotes the file's text where it stopped ("last read: '...'", "overflow
// parsing '...'") whole and as it found it; it is shown as every text of the file is.
std::string WithFileTextQuoted(const std::string& words)
{
    for (const std::string_view opening : {"last read: '", "parsing '"}) {
        const size_t at = words.find(opening);
        if (at == std::string::npos)
            continue;
        const size_t begin = at + opening.size();
        const size_t expected = words.rfind("'; expected ");
        const size_t end = expected != std::string::npos && expected >= begin ? expected : words.size() - 1;
        if (end < begin || words[end] != '\'')
            return words;
        return words.substr(0, begin - 1) + QuoteUtf8(words.substr(begin, end - begin)) + words.substr(end + 1);
    }
    return words;
}

SnapshotFault ParseJson(std::string_view text, Json& json)
{
    if (const size_t deep = TooDeep(text); deep != std::string_view::npos)
        return {LineAndColumn(text, deep + 1),
                "at most " + std::to_string(kDeepestNesting) + " levels of nesting; this is not a studio snapshot"};
    try {
        json = Json::parse(text);
        return {};
    } catch (const Json::parse_error& error) {
        // The library's own words after its "parse error at line L, column C: " prefix.
        const std::string what = error.what();
        const size_t words = what.find(": ", what.find("parse error"));
        const std::string said = words == std::string::npos ? what : what.substr(words + 2);
        return {LineAndColumn(text, error.byte), "expected a JSON document; " + WithFileTextQuoted(said)};
    } catch (const Json::exception& error) {
        // A number beyond what a double holds is refused after its parse, with no place.
        const std::string what = error.what();
        const size_t words = what.find("] ");
        const std::string said = words == std::string::npos ? what : what.substr(words + 2);
        return {"the document", "expected a JSON document; " + WithFileTextQuoted(said)};
    }
}

}  // namespace

std::string WriteSnapshotJson(const Snapshot& snapshot)
{
    const Json json = {{"format", kSnapshotFormat},
                       {"version", kSnapshotVersion},
                       {"settings", SettingsJson(snapshot)},
                       {"information", InformationJson(snapshot.information)}};
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

SnapshotFault ReadSnapshotJson(std::string_view text, Snapshot& snapshot)
{
    Json json;
    if (SnapshotFault fault = ParseJson(text, json); !fault.Ok())
        return fault;
    CFieldReader r;
    if (!json.is_object())
        return {"the document", std::string("expected an object, found ") + json.type_name()};
    const Json* format = r.Member(json, "", "format", Json::value_t::string, "a text");
    if (format && *format != kSnapshotFormat)
        return {"format", std::string("\"") + kSnapshotFormat + "\"; this is not a studio snapshot"};
    uint32_t version = 0;
    if (r.Unsigned(json, "", "version", version, 1) && version > kSnapshotVersion)
        return {"version", "at most " + std::to_string(kSnapshotVersion) + ", found " + std::to_string(version) +
                               ": the file was written by a later version of this program"};
    Snapshot read;
    if (const Json* settings = r.Member(json, "", "settings", Json::value_t::object, "an object")) {
        ReadDevices(r, *settings, read);
        if (const Json* channels = r.Member(*settings, "settings", "channels", Json::value_t::object, "an object")) {
            ReadChannelList(r, *channels, "in", read, read.inputs);
            ReadChannelList(r, *channels, "out", read, read.outputs);
        }
        ReadClockAndRate(r, *settings, version, read);
    }
    if (const auto info = json.find("information"); !r.Failed() && info != json.end() && !info->is_object())
        r.Fail("information", std::string("expected an object, found ") + info->type_name());
    if (r.Failed())
        return r.fault;
    snapshot = std::move(read);
    return {};
}
