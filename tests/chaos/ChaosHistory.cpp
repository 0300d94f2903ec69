#include "tests/chaos/ChaosHistory.h"

namespace {

using nlohmann::json;

std::set<uint32_t> Matches(const std::multimap<std::string, uint32_t>& map, const std::string& key)
{
    std::set<uint32_t> ids;
    for (auto [it, end] = map.equal_range(key); it != end; ++it)
        ids.insert(it->second);
    return ids;
}

void Insert(std::multimap<std::string, uint32_t>& map, const std::string& key, uint32_t id)
{
    for (auto [it, end] = map.equal_range(key); it != end; ++it) {
        if (it->second == id)
            return;
    }
    map.emplace(key, id);
}

std::string ChannelKey(int direction, const std::string& device, const std::string& name, const std::string& hardware)
{
    return std::to_string(direction) + "\x1f" + device + "\x1f" + name + "\x1f" + hardware;
}

}  // namespace

void CChaosHistory::Note(const json& state)
{
    m_latest = state;
    std::map<uint32_t, std::string> names;
    for (const json& device : state.value("devices", json::array())) {
        if (device.is_null())
            continue;
        const uint32_t id = device["id"];
        m_deviceIds.insert(id);
        names[id] = device["name"];
        Insert(m_serials, device["serial"], id);
        Insert(m_names, device["name"], id);
        m_serialOf[id] = device["serial"];
        if (device.contains("sync")) {
            m_syncModes.insert({id, {device["sync"]["mode"], device["sync"]["source"]}});
            for (const json& offered : device["offered"])
                m_syncModes.insert({id, {offered["mode"], offered["source"]}});
        }
    }
    for (int direction = 0; direction < 2; ++direction) {
        for (const json& channel : state.value(direction ? "outputs" : "inputs", json::array())) {
            const uint32_t id = channel["id"], owner = channel["deviceId"];
            m_channelDevice[id] = owner;
            Insert(m_channelKeys, ChannelKey(direction, names[owner], channel["name"], channel["hardwareName"]), id);
        }
    }
    if (state.contains("clock") && state["clock"]["masterFlag"] == 1)
        m_clockMasters.insert(state["clock"]["masterId"].get<uint32_t>());
    for (const json& rate : state.value("rates", json::array()))
        m_rates.insert(rate.get<uint32_t>());
}

uint32_t CChaosHistory::ChannelDevice(uint32_t id) const
{
    const auto it = m_channelDevice.find(id);
    return it == m_channelDevice.end() ? 0 : it->second;
}

std::set<uint32_t> CChaosHistory::DevicesWithSerial(const std::string& serial) const
{
    return Matches(m_serials, serial);
}

std::set<uint32_t> CChaosHistory::DevicesNamed(const std::string& name) const
{
    return Matches(m_names, name);
}

std::set<uint32_t> CChaosHistory::ChannelsShown(int direction, const std::string& device, const std::string& name,
                                                const std::string& hardwareName) const
{
    return Matches(m_channelKeys, ChannelKey(direction, device, name, hardwareName));
}

std::string CChaosHistory::SerialOf(uint32_t id) const
{
    const auto it = m_serialOf.find(id);
    return it == m_serialOf.end() ? std::string() : it->second;
}

bool CChaosHistory::OfferedSync(uint32_t id, uint32_t mode, uint32_t source) const
{
    return m_syncModes.count({id, {mode, source}}) != 0;
}
