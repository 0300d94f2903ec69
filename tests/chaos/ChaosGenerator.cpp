#include "tests/chaos/ChaosGenerator.h"

namespace {

constexpr uint32_t kRates[] = {32000, 44100, 48000, 88200, 96000, 176400, 192000};

const std::vector<std::string> kRequests = {
    "open", "GetDriverVersion", "GetAsioNameOption", "SetAsioNameOption", "GetDeviceList",
    "GetChannelLists", "GetClockSource", "SetClockSource", "GetRateMode", "SetRateMode",
    "GetSampleRates", "SetSampleRate", "GetDeviceSyncMode", "SetDeviceSyncMode", "GetDeviceProperties",
    "SetDeviceProperties", "GetStreamInfo", "GetChannelProperties", "SetChannelProperties",
    "StartStreaming", "StopStreaming", "GetStreamBufferDepth", "SetStreamBufferDepth",
    "GetAsioBufferDepth", "SetAsioBufferDepth", "GetWdmBufferDepth", "SetWdmBufferDepth",
    "GetAsioStatistics", "GetNextEvent"};

ChaosStep Bus(std::string text)
{
    return {ChaosStep::Kind::Bus, std::move(text)};
}

ChaosStep User(std::string text)
{
    return {ChaosStep::Kind::User, std::move(text)};
}

}  // namespace

ChaosStep CChaosGenerator::Next()
{
    if (m_modalSteps > 0)
        ++m_modalSteps;
    // A modal box is answered within a few steps, with bus steps and late answers between.
    if (m_modalSteps > 0 && m_random.Chance(m_modalSteps > 4 ? 700 : 350))
        return ModalAction();
    // A box that opened after the one answered (a message, the restore's plan) is
    // answered too, now and then.
    if (m_modalSteps == 0 && m_random.Chance(40))
        return User(m_random.Pick({"ok", "cancel"}));
    return m_random.Chance(450) ? BusStep() : UserStep();
}

std::string CChaosGenerator::DeviceNumber()
{
    return std::to_string(m_random.Between(1, m_devices + 1));
}

std::string CChaosGenerator::Name(const char* prefix)
{
    return std::string(prefix) + " " + std::to_string(++m_names);
}

ChaosStep CChaosGenerator::BusStep()
{
    const uint32_t roll = m_random.Below(100);
    if (m_driverUnloaded && roll < 40) {
        m_driverUnloaded = false;
        return Bus("driver load");
    }
    if (m_endless && roll < 40) {
        m_endless = false;
        return Bus("endless-events off");
    }
    if (roll < 14) {
        // Now and then a burst towards the limits of 64 devices.
        const uint32_t channels = m_random.Chance(100) ? 24 : 8;
        if (m_devices < 64)
            ++m_devices;
        const std::string serial = "CX-" + std::to_string(10000 + m_names + 1);
        return Bus("add-device \"" + Name("Chaos") + "\" \"" + serial + "\" " +
                   std::to_string(m_random.Below(channels + 1)) + " " + std::to_string(m_random.Below(channels + 1)));
    }
    if (roll < 24)
        return Bus(std::string(m_random.Chance(500) ? "unplug " : "plug ") + DeviceNumber());
    if (roll < 28) {
        m_driverUnloaded = m_random.Chance(500);
        return Bus(m_driverUnloaded ? "driver unload" : "driver load");
    }
    if (roll < 40) {
        const char* kind = m_random.Pick({"1", "2", "3", "3", "100", "7"});
        return Bus(std::string("event ") + kind + " " + std::to_string(m_random.Chance(300) ? m_random.Between(2, 64) : 1));
    }
    if (roll < 56)
        return FaultStep();
    if (roll < 58) {
        m_devices = m_random.Chance(300) ? 0 : 3;
        return Bus(m_devices ? "bus default" : "bus empty");
    }
    return SettingStep();
}

ChaosStep CChaosGenerator::FaultStep()
{
    const uint32_t roll = m_random.Below(100);
    const std::string request = m_random.Pick(kRequests);
    if (roll < 30)
        return Bus(m_random.Chance(300) ? "clear faults" : "clear fault " + request);
    if (roll < 55) {
        std::string statement = "fail " + request + " " + m_random.Pick({"0xE0000022", "31", "0xE0000047", "2"});
        if (m_random.Chance(400))
            statement += " always";
        if (m_random.Chance(300))
            statement += " skip " + std::to_string(m_random.Between(1, 20));
        return Bus(statement);
    }
    if (roll < 70)
        return Bus("delay " + request + " " + std::to_string(m_random.Between(1, 15)));
    if (roll < 92)
        return Bus("malform " + request + " " + m_random.Pick({"unterminated", "counts", "short"}) +
                   (m_random.Chance(500) ? " once" : ""));
    m_endless = true;
    return Bus(std::string("endless-events ") + m_random.Pick({"2", "3", "100"}));
}

ChaosStep CChaosGenerator::SettingStep()
{
    switch (m_random.Below(16)) {
    case 0: return Bus("rate " + std::to_string(kRates[m_random.Below(7)]));
    case 1: {
        std::string rates = "rates";
        for (uint32_t i = m_random.Below(5); i > 0; --i)
            rates += " " + std::to_string(kRates[m_random.Below(7)]);
        return Bus(rates == "rates" ? "rates 44100 48000" : rates);
    }
    case 2: return Bus(std::string("rate-mode ") + m_random.Pick({"0", "1"}));
    case 3: return Bus(m_random.Chance(300) ? "clock 0 0" : "clock 1 @" + std::to_string(m_random.Below(8)));
    case 4: return Bus(std::string("streaming ") + m_random.Pick({"on", "off"}));
    case 5: return Bus(std::string("wdm-in-use ") + m_random.Pick({"on", "off"}));
    case 6:
        return Bus("plug-state " + DeviceNumber() + " " + m_random.Pick({"audio-out", "audio-in", "synch-out", "synch-in"}) +
                   " " + m_random.Pick({"present", "absent", "fail 0xE0000073", "stream 5"}));
    case 7: return Bus("stream-depth 125 125 " + std::to_string(125 * m_random.Between(1, 80)) + " 10000");
    case 8: return Bus("asio-depth 1000 1000 " + std::to_string(500 * m_random.Between(2, 80)) + " 40000");
    case 9: return Bus("wdm-depth 2000 1000 " + std::to_string(1000 * m_random.Between(2, 40)) + " 40000");
    case 10: return Bus("dropouts +" + std::to_string(m_random.Between(1, 9)));
    case 11: return Bus(std::string("asio-name-option ") + m_random.Pick({"0", "1"}));
    case 12:
        return Bus("offer-sync " + std::to_string(m_random.Between(0, 7)) + " " + std::to_string(m_random.Between(100, 999)) +
                   " \"" + Name("Source") + "\"");
    case 13:
        return Bus("current-sync " + std::to_string(m_random.Between(1, 6)) + " " + std::to_string(m_random.Between(100, 999)) +
                   " \"" + Name("Source") + "\"");
    case 14:
        return Bus(std::string("channel-name ") + m_random.Pick({"in", "out"}) + " " + std::to_string(m_random.Below(4)) +
                   " \"" + Name("Line") + "\"");
    default: return Bus("event 3 " + std::to_string(m_random.Between(1, 64)));
    }
}

ChaosStep CChaosGenerator::UserStep()
{
    const uint32_t roll = m_random.Below(100);
    if (roll < 14) {
        m_page = static_cast<int>(m_random.Below(5));
        return User("page " + std::to_string(m_page));
    }
    if (roll < 17)
        return User(m_random.Pick({"hide", "show", "show", "about"}));
    if (roll < 19) {
        m_modalSteps = 1;   // a file dialog, then the plan or a message
        return User(m_random.Pick({"save", "restore"}));
    }
    if (roll < 21) {
        const bool asio = m_random.Chance(500);
        if (asio)
            m_page = 4;
        return User(asio ? "start -asio" : "start");
    }
    return PageAction();
}

ChaosStep CChaosGenerator::PageAction()
{
    const std::string row = std::to_string(m_random.Below(m_devices < 6 ? m_devices + 2 : 8));
    const uint32_t roll = m_random.Below(100);
    if (roll < 30)
        return User("row " + row);
    if (roll < 38) {
        m_modalSteps = 1;
        return User(m_random.Chance(500) ? "edit" : "double-click " + row);
    }
    switch (m_page) {
    case 0:
        if (roll < 80)
            return User(m_random.Chance(500) ? "up" : "down");
        return User("apply");
    case 1:
    case 2: return User("include");
    case 3:
        if (roll < 60)
            return User("tick " + row);
        if (roll < 70)
            return User("manual");
        if (roll < 80)
            return User("rate " + std::to_string(m_random.Below(4)));
        if (roll < 88) {
            m_modalSteps = 1;   // a refused rate answers with a message box
            return User("rate-apply");
        }
        return User("apply");
    default: {
        const char* which = m_random.Pick({"stream", "asio", "wdm"});
        if (roll < 75)
            return User(std::string("slider ") + which + " " + std::to_string(m_random.Below(1001)));
        return User(std::string("buffer-apply ") + which);
    }
    }
}

ChaosStep CChaosGenerator::ModalAction()
{
    const uint32_t roll = m_random.Below(100);
    if (roll < 25)
        return User("type " + Name(m_random.Pick({"Renamed", "A name much longer than the thirty-nine characters a field holds"})));
    if (roll < 45)
        return User("mode " + std::to_string(m_random.Below(4)));
    // OK may bring up another box (the restore's plan, a message): now and then the
    // steps go on answering.
    const bool ok = roll < 80;
    m_modalSteps = ok && m_random.Chance(400) ? 1 : 0;
    return User(ok ? "ok" : "cancel");
}
