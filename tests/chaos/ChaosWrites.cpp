#include "tests/chaos/ChaosWrites.h"

#include <algorithm>
#include <cstdio>

namespace {

using What = ChaosExpect::What;

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// The writes each action sends, by request name.
std::set<std::string> Allowed(What what)
{
    switch (what) {
    case What::Nothing: return {};
    case What::DeviceName:
    case What::Ranking: return {"SetDeviceProperties"};
    case What::ChannelName: return {"SetChannelProperties"};
    case What::Synchronisation:
        return {"StopStreaming", "SetClockSource", "SetRateMode", "SetDeviceSyncMode", "StartStreaming"};
    case What::SampleRate: return {"SetSampleRate"};
    case What::NameOption: return {"SetAsioNameOption"};
    case What::StreamBuffer: return {"SetStreamBufferDepth", "StopStreaming", "StartStreaming"};
    case What::AsioBuffer: return {"SetAsioBufferDepth"};
    case What::WdmBuffer: return {"SetWdmBufferDepth", "StopStreaming", "StartStreaming"};
    case What::Restore:
        return {"SetDeviceProperties", "SetChannelProperties", "SetAsioNameOption", "StopStreaming", "SetClockSource",
                "SetRateMode", "SetDeviceSyncMode", "SetStreamBufferDepth", "SetWdmBufferDepth", "StartStreaming",
                "SetSampleRate", "SetAsioBufferDepth"};
    }
    return {};
}

class CWriteCheck {
public:
    CWriteCheck(const ChaosExpect& expect, const CChaosHistory& history, ChaosViolation& violation)
        : m_expect(expect), m_history(history), m_violation(violation)
    {
    }

    bool Check(const std::vector<ChaosRequest>& writes);

private:
    bool Fail(const char* invariant, const std::string& detail)
    {
        m_violation = {invariant, detail};
        return false;
    }
    bool Ids(const ChaosRequest& write);
    bool Acted(const ChaosRequest& write);
    bool Framing(const std::vector<ChaosRequest>& writes);
    bool Ranks(const std::vector<ChaosRequest>& writes);

    const ChaosExpect& m_expect;
    const CChaosHistory& m_history;
    ChaosViolation& m_violation;
};

bool CWriteCheck::Check(const std::vector<ChaosRequest>& writes)
{
    const std::set<std::string> allowed = Allowed(m_expect.what);
    for (const ChaosRequest& write : writes) {
        if (!allowed.count(write.name))
            return Fail("no write but the user's", write.name + " was sent, which the step's action does not send");
        if (!Ids(write) || !Acted(write))
            return false;
    }
    const bool single = m_expect.what == What::DeviceName || m_expect.what == What::ChannelName ||
                        m_expect.what == What::SampleRate || m_expect.what == What::NameOption;
    if (single && writes.size() > 1)
        return Fail("no write but the user's", std::to_string(writes.size()) + " writes for one change");
    return Framing(writes) && Ranks(writes);
}

// Every id a write carries is one the driver reported before it.
bool CWriteCheck::Ids(const ChaosRequest& write)
{
    uint32_t device = 0;
    if (write.name == "SetDeviceProperties" || write.name == "SetDeviceSyncMode")
        device = write.Word(0);
    else if (write.name == "SetClockSource" && write.Word(1) != 0)
        device = write.Word(2);
    else if (write.name == "SetChannelProperties") {
        if (!m_history.KnowsChannel(write.Word(0)))
            return Fail("writes go to reported ids", "SetChannelProperties for channel " + Hex(write.Word(0)) +
                                                         ", which the driver never reported");
        if (m_history.ChannelDevice(write.Word(0)) != write.Word(1))
            return Fail("writes go to reported ids", "SetChannelProperties gives channel " + Hex(write.Word(0)) +
                                                         " the device " + Hex(write.Word(1)) + ", not its own");
        return true;
    } else
        return true;
    // The clock source goes back as the driver reported it, even naming a master that
    // is not on the bus.
    if (write.name == "SetClockSource" && m_history.KnowsClockMaster(device))
        return true;
    if (!m_history.KnowsDevice(device))
        return Fail("writes go to reported ids", write.name + " for device " + Hex(device) +
                                                     ", which the driver never reported");
    return true;
}

// A write goes to what the user acted on.
bool CWriteCheck::Acted(const ChaosRequest& write)
{
    const bool deviceName = m_expect.what == What::DeviceName && write.name == "SetDeviceProperties";
    const bool channelName = m_expect.what == What::ChannelName && write.name == "SetChannelProperties";
    if (deviceName || channelName) {
        if (!m_expect.ids.empty() && !m_expect.ids.count(write.Word(0)))
            return Fail("writes go to the row acted on", write.name + " for " + Hex(write.Word(0)) +
                                                             ", not for the row whose editor was answered");
        const std::string name = deviceName ? write.Text(8, 40) : write.Text(52, 40);
        if (name != m_expect.name)
            return Fail("writes go to the row acted on", write.name + " stores the name \"" + name + "\", not \"" +
                                                             m_expect.name + "\" as typed");
    }
    if (write.name == "SetClockSource") {
        const bool pc = write.Word(1) == 0;
        if (m_expect.what != What::Synchronisation)
            return true;
        if (pc && write.Word(2) != 0)
            return Fail("writes go to the row acted on", "SetClockSource with the PC driver as master and a device id");
        if (m_expect.masterTicked &&
            (pc != m_expect.pcDriverMaster || (!pc && !m_expect.ids.empty() && !m_expect.ids.count(write.Word(2)))))
            return Fail("writes go to the row acted on", "SetClockSource names " + (pc ? std::string("the PC driver") : Hex(write.Word(2))) +
                                                             ", not the ticked row's clock master");
    }
    if (write.name == "SetDeviceSyncMode" && !m_history.OfferedSync(write.Word(0), write.Word(1), write.Word(2)))
        return Fail("writes go to the row acted on", "SetDeviceSyncMode gives device " + Hex(write.Word(0)) + " mode " +
                                                         std::to_string(write.Word(1)) + " source " + std::to_string(write.Word(2)) +
                                                         ", which that device never offered");
    if (write.name == "SetSampleRate" && !m_history.SupportedRate(write.Word(1)))
        return Fail("writes go to the row acted on", "SetSampleRate " + std::to_string(write.Word(1)) +
                                                         " Hz, a rate the driver never offered");
    return true;
}

// The synchronisation writes lie between StopStreaming and StartStreaming; a stream or
// WDM buffer write is followed by both, also in a restore, and its StartStreaming goes
// out even when its StopStreaming was refused; a stream stopped is started again.
bool CWriteCheck::Framing(const std::vector<ChaosRequest>& writes)
{
    bool stopped = false;
    for (size_t i = 0; i < writes.size(); ++i) {
        const ChaosRequest& write = writes[i];
        if (write.name == "StopStreaming")
            stopped = write.result == 0;
        else if (write.name == "StartStreaming") {
            const bool restart = i > 0 && writes[i - 1].name == "StopStreaming";
            if ((m_expect.what == What::Synchronisation || m_expect.what == What::Restore) && !stopped && !restart)
                return Fail("writes framed as their page frames them", "StartStreaming without StopStreaming before it");
            stopped = false;
        } else if ((write.name == "SetClockSource" || write.name == "SetRateMode" || write.name == "SetDeviceSyncMode") &&
                   !stopped)
            return Fail("writes framed as their page frames them", write.name + " outside StopStreaming ... StartStreaming");
        else if ((write.name == "SetStreamBufferDepth" || write.name == "SetWdmBufferDepth") &&
                 (i + 2 >= writes.size() || writes[i + 1].name != "StopStreaming" ||
                  writes[i + 2].name != "StartStreaming"))
            return Fail("writes framed as their page frames them", write.name + " not followed by StopStreaming and StartStreaming");
    }
    if (stopped)
        return Fail("writes framed as their page frames them", "StopStreaming with no StartStreaming after it");
    return true;
}

// One Apply gives each device its own rank, the row the user left it in.
bool CWriteCheck::Ranks(const std::vector<ChaosRequest>& writes)
{
    if (m_expect.what != What::Ranking)
        return true;
    std::map<uint32_t, uint32_t> rankOf;
    for (const ChaosRequest& write : writes) {
        const uint32_t id = write.Word(0), rank = write.Word(1);
        for (const auto& [other, otherRank] : rankOf) {
            if (otherRank == rank && other != id)
                return Fail("one Apply gives each device its own rank",
                            "devices " + Hex(other) + " and " + Hex(id) + " both get rank " + std::to_string(rank));
        }
        rankOf[id] = rank;
        // The row's device by any id it was reported with: a driver whose events fail or
        // never end leaves the panel showing an id that another device holds by now, and
        // nothing tells the panel so.
        if (rank < m_expect.serials.size() && !m_history.DevicesWithSerial(m_expect.serials[rank]).count(id))
            return Fail("writes go to the row acted on", "rank " + std::to_string(rank) + " goes to " +
                                                             m_history.SerialOf(id) + ", but that row showed " +
                                                             m_expect.serials[rank]);
    }
    return true;
}

}  // namespace

bool CheckChaosWrites(const std::vector<ChaosRequest>& requests, const ChaosExpect& expect,
                      const CChaosHistory& history, ChaosViolation& violation)
{
    std::vector<ChaosRequest> writes;
    std::copy_if(requests.begin(), requests.end(), std::back_inserter(writes),
                 [](const ChaosRequest& request) { return request.IsWrite(); });
    return CWriteCheck(expect, history, violation).Check(writes);
}
