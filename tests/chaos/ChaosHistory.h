// Everything the driver has reported over a run, from the state statement at each quiet
// point: what a row of the panel can stand for, and which ids and values a write may
// carry. Ids are never taken back: a device unplugged keeps its id for when it returns.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include <nlohmann/json.hpp>

class CChaosHistory {
public:
    void Note(const nlohmann::json& state);
    const nlohmann::json& Latest() const { return m_latest; }

    bool KnowsDevice(uint32_t id) const { return m_deviceIds.count(id) != 0; }
    // A device id the driver named as its clock master, on the bus or not.
    bool KnowsClockMaster(uint32_t id) const { return m_clockMasters.count(id) != 0; }
    bool KnowsChannel(uint32_t id) const { return m_channelDevice.count(id) != 0; }
    // The owner the driver gave the channel when it last reported it.
    uint32_t ChannelDevice(uint32_t id) const;
    // The ids of the devices shown with this serial number, or this name.
    std::set<uint32_t> DevicesWithSerial(const std::string& serial) const;
    std::set<uint32_t> DevicesNamed(const std::string& name) const;
    // The ids of the channels shown so: direction 0 in, 1 out.
    std::set<uint32_t> ChannelsShown(int direction, const std::string& device, const std::string& name,
                                     const std::string& hardwareName) const;
    std::string SerialOf(uint32_t id) const;
    // A synchronisation mode (code, source) the driver offered or set for the device.
    bool OfferedSync(uint32_t id, uint32_t mode, uint32_t source) const;
    bool SupportedRate(uint32_t rate) const { return m_rates.count(rate) != 0; }

private:
    nlohmann::json m_latest;
    std::set<uint32_t> m_deviceIds;
    std::map<uint32_t, uint32_t> m_channelDevice;
    std::multimap<std::string, uint32_t> m_serials;
    std::multimap<std::string, uint32_t> m_names;
    std::multimap<std::string, uint32_t> m_channelKeys;
    std::map<uint32_t, std::string> m_serialOf;
    std::set<std::pair<uint32_t, std::pair<uint32_t, uint32_t>>> m_syncModes;
    std::set<uint32_t> m_rates;
    std::set<uint32_t> m_clockMasters;
};
