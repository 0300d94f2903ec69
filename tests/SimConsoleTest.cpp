// The simulator's language on a live bus: what each statement does, and that every
// refusal names the word it stopped at and leaves the bus as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/ResultCodes.h"
#include "sim/SimConsole.h"
#include "sim/SimDriver.h"
#include "sim/SimScenario.h"
#include "sim/SimStatementFile.h"

#include <nlohmann/json.hpp>

namespace {

// What a refused statement must leave alone, as one comparable text.
std::string Digest(const SimBus& bus)
{
    std::ostringstream out;
    for (const SimDevice& d : bus.devices) {
        out << d.id << d.name << d.ranking << d.currentSync.modeCode << d.offeredSync.size();
        for (const SimPlug& p : d.plugs)
            out << p.present << p.failCode << p.fixedStreamNumber;
    }
    for (const auto* list : {&bus.inputs, &bus.outputs}) {
        for (const SimChannel& c : *list)
            out << c.id << c.name;
    }
    out << bus.driverPresent << unsigned{bus.version.interfaceMinor} << bus.clockSource.masterFlag
        << bus.clockSource.masterDeviceId << bus.rateMode << bus.currentRate << bus.supportedRates.size()
        << bus.asioDepth.current << bus.asioDropouts << bus.streaming << bus.wdmDeviceInUse;
    return out.str();
}

class Console : public ::testing::Test {
protected:
    Console() { sim.SetEventSignaller([](uint32_t) {}); }

    SimAnswer Run(const std::string& line) { return console.Execute(line); }

    CSimDriver sim;
    CSimConsole console{sim};
};

}  // namespace

TEST_F(Console, RefusesWhatItCannotReadOrHoldAndChangesNothing)
{
    const struct {
        const char* statement;
        const char* answer;
    } cases[] = {
        {"frobnicate 3", "\"frobnicate\" not understood, expected a statement (see the README's table)"},
        {"unplug 9", "\"9\" not understood, expected a device number from 1 to 3"},
        {"plug 0", "\"0\" not understood, expected a device number from 1 to 3"},
        {"plug 1", "refused: device 1 \"Zemra Stage 8\" is plugged in already"},
        {"add-device \"A\" \"B\" 300 1", "\"300\" not understood, expected at most 228 inputs (256 on the bus)"},
        {"add-device \"A\" \"B\" 2", "missing after \"2\": expected INPUTS OUTPUTS"},
        {"event", "missing after \"event\": expected an event kind (1, 2, 3, 100 or any number)"},
        {"event 3 65", "\"65\" not understood, expected a count from 1 to 64 (the queue holds 64)"},
        {"rate 48k", "\"48k\" not understood, expected a number"},
        {"rate +44100", "\"+44100\" not understood, expected a number"},
        {"rate 4294967296", "\"4294967296\" not understood, expected a number"},
        {"rates 1 2 3 4 5 6 7 8 9", "\"9\" not understood, expected at most 8 rates"},
        {"version 2 300 1 1 1", "\"300\" not understood, expected a version part of 0 to 255"},
        {"clock 2 0", "\"2\" not understood, expected a master flag of 0 (the PC) or 1 (a device)"},
        {"streaming maybe", "\"maybe\" not understood, expected on or off"},
        {"fail GetDeviceList 0", "\"0\" not understood, expected an error code other than 0"},
        {"fail NoSuchRequest 1", "\"NoSuchRequest\" not understood, expected a request's name (as the trace "
                                 "writes it) or open"},
        {"malform GetDeviceList counts twice", "\"twice\" not understood, expected once or nothing"},
        {"driver sideways", "\"sideways\" not understood, expected unload or load"},
        {"dropouts +4294967295", "refused: the count would pass 4294967295"},
        {"plug-state 2 audio-in fail 0", "\"0\" not understood, expected an error code other than 0"},
        {"plug-state 4 audio-in absent", "\"4\" not understood, expected a device number from 1 to 3"},
        {"plug-state 2 midi-in absent", "\"midi-in\" not understood, expected audio-out, audio-in, synch-out or "
                                        "synch-in"},
        {"stats", "refused: stats is the bus window's own statement"},
        {"devices 2", "\"2\" not understood, expected nothing more"},
        {"channel-name out 99 \"X\"", "refused: the device has no output channel 99"},
        {"device \"Unclosed 1 1", "a text without its closing quote"},
        {"endless-events sometimes", "\"sometimes\" not understood, expected an event kind or off"},
    };
    ASSERT_TRUE(Run("dropouts 1").applied);
    const std::string before = Digest(sim.Bus());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        const SimAnswer answer = Run(c.statement);
        EXPECT_FALSE(answer.applied);
        EXPECT_EQ(answer.text, c.answer);
        EXPECT_EQ(Digest(sim.Bus()), before);
    }
    EXPECT_TRUE(sim.Faults().empty());
}

TEST_F(Console, UnpluggedDeviceKeepsItsNumberAndComesBackTheSame)
{
    ASSERT_TRUE(Run("channel-name in 0 \"Kick\"").applied);   // on the last device, the rack
    const SimBus before = sim.Bus();
    const SimAnswer unplugged = Run("unplug 3");
    ASSERT_TRUE(unplugged.applied) << unplugged.text;
    EXPECT_EQ(unplugged.text, "device 3 \"Zemra Rack 16\" unplugged");
    EXPECT_EQ(sim.Bus().devices.size(), 2u);
    EXPECT_EQ(sim.Bus().inputs.size(), 12u);

    // A device plugged meanwhile gets the next number and ids of its own.
    ASSERT_EQ(Run("add-device \"Zemra Pocket 2\" \"ZP2-1\" 2 2").text, "device 4 \"Zemra Pocket 2\" plugged in");
    EXPECT_EQ(Run("devices").text, "1 plugged \"Zemra Stage 8\" \"ZS8-0041-17\" 8 8\n"
                                   "2 plugged \"Zemra Desk 4\" \"ZD4-0019-82\" 4 4\n"
                                   "3 unplugged \"Zemra Rack 16\" \"ZR16-0007-03\" 16 16\n"
                                   "4 plugged \"Zemra Pocket 2\" \"ZP2-1\" 2 2");
    ASSERT_TRUE(Run("plug 3").applied);
    const SimBus after = sim.Bus();
    ASSERT_EQ(after.devices.size(), 4u);
    EXPECT_EQ(after.devices[3].id, before.devices[2].id);
    EXPECT_EQ(after.inputs.size(), 30u);
    EXPECT_EQ(after.inputs[14].id, before.inputs[12].id);
    EXPECT_EQ(after.inputs[14].name, "Kick");
    EXPECT_EQ(Run("devices").text.find("unplugged"), std::string::npos);
}

TEST_F(Console, LiveVerbsReachTheConnections)
{
    CScopedSimDriver installed(sim);
    COvx1394Driver connection;
    ASSERT_EQ(connection.Open(kOvxDeviceName), DRV_OK);
    uint32_t eventValue = 0x1234;
    ASSERT_EQ(connection.RegisterNotificationEvent(&eventValue), DRV_OK);
    const auto drain = [&] {
        std::vector<uint32_t> kinds;
        _DRIVER_EVENT_INFO event{};
        while (connection.GetNextEvent(&event) == DRV_OK)
            kinds.push_back(event.kind);
        return kinds;
    };

    EXPECT_EQ(Run("event 3 3").text, "3 events of kind 3 queued");
    EXPECT_EQ(Run("event 0x1234").text, "1 event of kind 0x1234 queued");
    EXPECT_EQ(drain(), (std::vector<uint32_t>{3, 3, 3, 0x1234}));
    ASSERT_TRUE(Run("rate 044100").applied);   // decimal, whatever its leading zero
    EXPECT_EQ(sim.Bus().currentRate, 44100u);
    EXPECT_EQ(drain(), (std::vector<uint32_t>{EvtType_DomainConfigurationChanged}));

    ASSERT_TRUE(Run("fail GetDeviceList 0xFFFFFFFF always").applied);
    ASSERT_TRUE(Run("delay GetStreamInfo 30").applied);
    EXPECT_EQ(Run("faults").text, "fail GetDeviceList 0xFFFFFFFF always\ndelay GetStreamInfo 30");
    _DEVICE_ID_LIST list{};
    EXPECT_EQ(connection.GetDeviceList(&list), 0xFFFFFFFFu);
    ASSERT_TRUE(Run("clear fault GetDeviceList").applied);
    EXPECT_EQ(connection.GetDeviceList(&list), DRV_OK);
    _DRIVER_EVENT_INFO event{};
    ASSERT_TRUE(Run("endless-events 100").applied);
    EXPECT_EQ(Run("faults").text, "delay GetStreamInfo 30\nendless-events 100");
    EXPECT_EQ(connection.GetNextEvent(&event), DRV_OK);
    EXPECT_EQ(event.kind, 100u);
    ASSERT_TRUE(Run("endless-events off").applied);
    EXPECT_EQ(Run("faults").text, "delay GetStreamInfo 30");
    ASSERT_TRUE(Run("endless-events 3").applied);
    ASSERT_TRUE(Run("clear faults").applied);
    EXPECT_EQ(Run("faults").text, "no faults");
    EXPECT_NE(connection.GetNextEvent(&event), DRV_OK);

    ASSERT_TRUE(Run("dropouts +5").applied);
    ASSERT_TRUE(Run("dropouts +2").applied);
    EXPECT_EQ(sim.Bus().asioDropouts, 7u);
    drain();
    ASSERT_TRUE(Run("plug-state 1 audio-in fail 0xE0000073").applied);
    EXPECT_EQ(sim.Bus().devices[0].plugs[PlugAudioIn].failCode, 0xE0000073u);
    // Without a number, as in a scenario file: the last device.
    ASSERT_TRUE(Run("plug-state synch-out absent").applied);
    EXPECT_FALSE(sim.Bus().devices[2].plugs[PlugSynchOut].present);
    EXPECT_EQ(drain(), (std::vector<uint32_t>{EvtType_StreamingRestarted, EvtType_StreamingRestarted}));

    ASSERT_TRUE(Run("driver unload").applied);
    EXPECT_EQ(connection.GetDeviceList(&list), WinError::DeviceNotConnected);
    ASSERT_TRUE(Run("driver load").applied);
    COvx1394Driver again;
    EXPECT_EQ(again.Open(kOvxDeviceName), DRV_OK);
}

TEST(SimScenario, ReadsNumbersAndOffersAsWritten)
{
    SimScenario scenario;
    std::string error;
    std::istringstream in("bus empty\n"
                          "device \"A\" \"1\" 1 1\n"
                          "offer-sync 2 7 \"Bus\"\n"
                          "bus empty\n"
                          "device \"B\" \"2\" 1 1\n"
                          "offer-sync 9 1 \"Word clock\"\n"
                          "plug-state audio-in fail 0xFFFFFFFF\n"
                          "rate 044100\n");
    ASSERT_TRUE(ParseSimScenario(in, scenario, error)) << error;
    ASSERT_EQ(scenario.bus.devices.size(), 1u);
    // The first offer of the new bus's device replaces its standard ones: nothing of A's.
    ASSERT_EQ(scenario.bus.devices[0].offeredSync.size(), 1u);
    EXPECT_EQ(scenario.bus.devices[0].offeredSync[0].name, "Word clock");
    EXPECT_EQ(scenario.bus.devices[0].plugs[PlugAudioIn].failCode, 0xFFFFFFFFu);
    EXPECT_EQ(scenario.bus.currentRate, 44100u);
}

TEST_F(Console, AStatementFileRunsUntilALineIsRefused)
{
    const std::string path = ::testing::TempDir() + "ovx-statements.txt";
    std::ofstream(path) << "bus empty\nrate 48000\nfrobnicate\nrate 44100\n";
    const std::string error = RunSimStatementFile(console, path);
    std::remove(path.c_str());
    EXPECT_EQ(error.rfind("line 3: \"frobnicate\" not understood", 0), 0u) << error;
    EXPECT_EQ(sim.Bus().currentRate, 48000u);
    EXPECT_TRUE(sim.Bus().devices.empty());
    EXPECT_EQ(RunSimStatementFile(console, path), "cannot be read");
}

TEST_F(Console, StateReportsTheBusInTheDriversOrderAndThePendingEvents)
{
    CScopedSimDriver installed(sim);
    COvx1394Driver connection;
    ASSERT_EQ(connection.Open(kOvxDeviceName), DRV_OK);
    uint32_t eventValue = 0x1234;
    ASSERT_EQ(connection.RegisterNotificationEvent(&eventValue), DRV_OK);
    ASSERT_TRUE(Run("bus empty").applied);
    ASSERT_TRUE(Run("device \"A\" \"SA\" 1 0").applied);
    ASSERT_TRUE(Run("device \"B\" \"SB\" 0 1").applied);
    sim.Change([](SimBus& bus) { bus.devices[0].ranking = 1; bus.devices[1].ranking = 0; });
    ASSERT_TRUE(Run("event 1 2").applied);
    const SimAnswer answer = Run("state");
    ASSERT_TRUE(answer.applied);
    const auto state = nlohmann::json::parse(answer.text);
    ASSERT_EQ(state["devices"].size(), 2u);
    EXPECT_EQ(state["devices"][0]["serial"], "SB");
    EXPECT_EQ(state["devices"][1]["name"], "A");
    EXPECT_EQ(state["inputs"][0]["deviceId"], state["devices"][1]["id"]);
    EXPECT_EQ(state["outputs"][0]["deviceId"], state["devices"][0]["id"]);
    // A configuration change for the new bus, a reset and a change for each device
    // plugged in, and the two resets.
    EXPECT_EQ(state["pendingEvents"], 7u);
    _DRIVER_EVENT_INFO event{};
    while (connection.GetNextEvent(&event) == DRV_OK) {
    }
    EXPECT_EQ(nlohmann::json::parse(Run("state").text)["pendingEvents"], 0u);
    EXPECT_EQ(state["connections"], 1u);
    EXPECT_EQ(state["listening"], 1u);
    // An unloaded driver's connections are dead, even once it is loaded again.
    ASSERT_TRUE(Run("driver unload").applied);
    ASSERT_TRUE(Run("driver load").applied);
    EXPECT_EQ(nlohmann::json::parse(Run("state").text)["connections"], 0u);
    EXPECT_FALSE(Run("state now").applied);
}
