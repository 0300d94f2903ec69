// ovxctl's reports on the simulated driver: each report's JSON held against what the
// driver holds, the driver's texts across the code page and out of the tables'
// control characters, and reports that read a thing once and pair records by id.
#include <algorithm>
#include <functional>

#include "tests/CtlFixture.h"
#include "text/CodePage.h"

namespace {

namespace Io = OvxIoctl;
using Json = nlohmann::json;
using CtlReport = CtlFixture;
using Names = std::vector<std::string>;

const SimDevice& DeviceWithId(const SimBus& bus, uint32_t id)
{
    return *std::find_if(bus.devices.begin(), bus.devices.end(), [&](const SimDevice& d) { return d.id == id; });
}

// The listed devices are the bus's, in the order of their ranking (the default bus's plug order).
void ExpectDevices(const Json& devices, const SimBus& bus)
{
    ASSERT_EQ(devices.size(), bus.devices.size());
    for (size_t i = 0; i < devices.size(); ++i) {
        const SimDevice& device = bus.devices[i];
        EXPECT_EQ(devices[i], Json({{"position", i + 1}, {"id", device.id}, {"name", device.name},
                                    {"serial", device.serialNumber}, {"ranking", device.ranking}}));
    }
}

Json ModeJson(const SimSyncMode& mode)
{
    return {{"code", mode.modeCode}, {"source", mode.sourceId}, {"name", mode.name}};
}

TEST_F(CtlReport, StatusAndDevicesJsonHoldWhatTheDriverHolds)
{
    sim.Change([](SimBus& bus) { bus.asioDepth.current = 7000; });
    const SimBus bus = sim.Bus();
    const Json status = RunJson({"status"});
    EXPECT_EQ(status["driver"], Json({{"interfaceMajor", 2}, {"interfaceMinor", 14}, {"major", bus.version.driverMajor},
                                      {"minor", bus.version.driverMinor}, {"build", bus.version.driverBuild}}));
    ExpectDevices(status["devices"], bus);
    EXPECT_EQ(status["sampleRate"], bus.currentRate);
    EXPECT_EQ(status["rateMode"], "automatic");
    EXPECT_EQ(status["clockMaster"], Json({{"kind", "device"}, {"deviceId", bus.devices[0].id}, {"position", 1}}));
    EXPECT_EQ(status["streaming"], "streaming");
    EXPECT_EQ(status["buffers"],
              Json({{"stream", bus.streamDepth.current}, {"asio", 7000}, {"wdm", bus.wdmDepth.current}}));

    ExpectDevices(RunJson({"devices"})["devices"], bus);
    sim.Change([](SimBus& pcMaster) { pcMaster.clockSource = {0, 0, 0}; });
    EXPECT_EQ(RunJson({"status"})["clockMaster"], Json({{"kind", "pc"}}));
}

TEST_F(CtlReport, ChannelsJsonHoldsEachDirectionsChannelsWithTheirDevices)
{
    sim.Change([](SimBus& bus) {
        bus.asioNameOption = 1;
        bus.outputs[3].name = "Monitor L";
    });
    const SimBus bus = sim.Bus();
    for (const bool output : {false, true}) {
        const Json json = RunJson({"channels", output ? "out" : "in"});
        const std::vector<SimChannel>& channels = output ? bus.outputs : bus.inputs;
        EXPECT_EQ(json["direction"], output ? "out" : "in");
        EXPECT_EQ(json["asioNamesIncludeDevice"], true);
        ASSERT_EQ(json["channels"].size(), channels.size());
        for (size_t i = 0; i < channels.size(); ++i) {
            const SimChannel& channel = channels[i];
            EXPECT_EQ(json["channels"][i], Json({{"position", i + 1}, {"deviceId", channel.deviceId},
                                                 {"device", DeviceWithId(bus, channel.deviceId).name},
                                                 {"name", channel.name}, {"hardwareName", channel.hardwareName}}));
        }
    }
}

TEST_F(CtlReport, SyncJsonHoldsTheClockRatesAndEachDevicesModes)
{
    const SimBus bus = sim.Bus();
    const Json sync = RunJson({"sync"});
    EXPECT_EQ(sync["clockMaster"]["deviceId"], bus.clockSource.masterDeviceId);
    EXPECT_EQ(sync["rateMode"], "automatic");
    EXPECT_EQ(sync["sampleRate"], bus.currentRate);
    EXPECT_EQ(sync["supportedRates"], Json(bus.supportedRates));
    ASSERT_EQ(sync["devices"].size(), bus.devices.size());
    for (size_t i = 0; i < bus.devices.size(); ++i) {
        const SimDevice& device = bus.devices[i];
        Json offered = Json::array();
        for (const SimSyncMode& mode : device.offeredSync)
            offered.push_back(ModeJson(mode));
        EXPECT_EQ(sync["devices"][i], Json({{"position", i + 1}, {"id", device.id}, {"name", device.name},
                                            {"mode", ModeJson(device.currentSync)}, {"offered", offered}}));
    }
}

TEST_F(CtlReport, StreamsJsonHoldsEveryPlugAndReadsEachDeviceOnce)
{
    sim.Change([](SimBus& bus) { bus.devices[1].plugs[PlugAudioIn].failCode = 0xE0000073; });
    const SimBus bus = sim.Bus();
    const Json streams = RunJson({"streams"});
    EXPECT_EQ(sim.CountOf(Io::GetStreamInfo), bus.devices.size());
    EXPECT_EQ(streams["streaming"], "connect failed");
    ASSERT_EQ(streams["devices"].size(), bus.devices.size());
    const char* const keys[] = {"audioOut", "audioIn", "synchOut", "synchIn"};
    for (size_t i = 0; i < bus.devices.size(); ++i) {
        const Json& device = streams["devices"][i];
        EXPECT_EQ(device["id"], bus.devices[i].id);
        EXPECT_EQ(device["name"], bus.devices[i].name);
        EXPECT_EQ(device["read"], true);
        ASSERT_EQ(device["plugs"].size(), 4u);
        for (int p = 0; p < 4; ++p) {
            const SimPlug& plug = bus.devices[i].plugs[p];
            const Json& shown = device["plugs"][p];
            EXPECT_EQ(shown["plug"], keys[p]);
            EXPECT_EQ(shown["state"], plug.failCode ? 4 : 3);
            EXPECT_EQ(shown["stream"], plug.failCode ? 0 : plug.streamNumber);
            EXPECT_EQ(shown["error"], plug.failCode);
            EXPECT_EQ(shown["errorText"], plug.failCode ? "Bandwidth allocation failed." : "");
            EXPECT_EQ(shown["rates"], Json(bus.supportedRates));
        }
    }
}

TEST_F(CtlReport, BuffersJsonHoldsTheThreeDepthsAndTheDropOuts)
{
    sim.Change([](SimBus& bus) { bus.asioDropouts = 7; });
    const SimBus bus = sim.Bus();
    const Json buffers = RunJson({"buffers"});
    EXPECT_EQ(buffers["stream"], Json({{"current", bus.streamDepth.current}, {"minimum", bus.streamDepth.minimum},
                                       {"step", bus.streamDepth.step}, {"maximum", 10000}}));
    for (const auto& [key, depth] : {std::pair{"asio", bus.asioDepth}, std::pair{"wdm", bus.wdmDepth}}) {
        EXPECT_EQ(buffers[key]["current"], depth.current) << key;
        EXPECT_EQ(buffers[key]["minimum"], depth.minimum) << key;
        EXPECT_EQ(buffers[key]["step"], depth.step) << key;
        EXPECT_EQ(buffers[key]["maximum"], 40000) << key;
        EXPECT_GT(buffers[key]["samples"], 0) << key;
    }
    EXPECT_EQ(buffers["dropOuts"], 7);
}

TEST_F(CtlReport, JsonTextsAreTheDriversCharactersInTheAnsiCodePage)
{
    if (AnsiCodePage() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << AnsiCodePage();
    sim.Change([](SimBus& bus) { bus.devices[0].name = "Caf\xE9 \x80 \x93Live\x94"; });
    EXPECT_EQ(RunJson({"devices"})["devices"][0]["name"], "Caf\u00E9 \u20AC \u201CLive\u201D");
    // Plain ASCII, whatever the console's code page.
    const std::string text = out.str();
    EXPECT_NE(text.find("Caf\\u00e9 \\u20ac"), std::string::npos) << text;
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c > 0; }));
}

TEST_F(CtlReport, ControlCharactersOfTheDriversTextsAreEscapedInTables)
{
    sim.Change([](SimBus& bus) {
        bus.devices[0].name = "\x1B]0;owned\x07\x1B[2J";
        bus.inputs[0].name = "Kick\rSnare";
    });
    const std::string escaped = "\\x1B]0;owned\\x07\\x1B[2J";
    for (const Names& line :
         {Names{"status"}, Names{"devices"}, Names{"sync"}, Names{"streams"}, Names{"channels", "in"}}) {
        ASSERT_EQ(Run(line), 0) << line[0];
        EXPECT_NE(out.str().find(escaped), std::string::npos) << out.str();
        EXPECT_EQ(out.str().find_first_of("\x1B\x07\r"), std::string::npos) << line[0];
    }
    EXPECT_NE(out.str().find("Kick\\x0DSnare"), std::string::npos) << out.str();
}

// Forwards every request to the simulated driver and lets a test rewrite the device
// lists it answers, numbered from 0.
class CDeviceListRewriter final : public IDeviceIo {
public:
    using Rewrite = std::function<void(int answer, _DEVICE_ID_LIST& list)>;
    CDeviceListRewriter(CSimDriver& sim, Rewrite rewrite) : m_sim(sim), m_rewrite(std::move(rewrite))
    {
        SetDeviceIo(this);
    }
    ~CDeviceListRewriter() override { SetDeviceIo(&m_sim); }

    DeviceHandle Open(const char* path, uint32_t& error) override { return m_sim.Open(path, error); }
    void Close(DeviceHandle handle) override { m_sim.Close(handle); }
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& bytesReturned) override
    {
        const uint32_t result = m_sim.Control(handle, code, in, inSize, out, outSize, bytesReturned);
        if (result == 0 && code == Io::GetDeviceList)
            m_rewrite(m_answers++, *static_cast<_DEVICE_ID_LIST*>(out));
        return result;
    }

private:
    CSimDriver& m_sim;
    Rewrite m_rewrite;
    int m_answers = 0;
};

TEST_F(CtlReport, SyncPairsDevicesAndModesByDeviceId)
{
    // The devices move between the two reads of the device list.
    CDeviceListRewriter moved(sim, [](int answer, _DEVICE_ID_LIST& list) {
        if (answer == 1)
            std::reverse(list.ids, list.ids + list.count);
    });
    const SimBus bus = sim.Bus();
    const Json sync = RunJson({"sync"});
    ASSERT_EQ(sync["devices"].size(), bus.devices.size());
    for (const Json& device : sync["devices"])
        EXPECT_EQ(device["mode"], ModeJson(DeviceWithId(bus, device["id"]).currentSync)) << device;
    ASSERT_EQ(Run({"sync"}), 0);
    EXPECT_NE(out.str().find("1  Zemra Stage 8  Internal (mode 6"), std::string::npos) << out.str();
}

TEST_F(CtlReport, AClockMasterListedTwiceHasOnePosition)
{
    CDeviceListRewriter twice(sim, [](int, _DEVICE_ID_LIST& list) {
        list.ids[list.count] = list.ids[0];
        ++list.count;
    });
    ASSERT_EQ(Run({"--json", "status"}), 0) << err.str();
    const std::string text = out.str();
    const size_t master = text.find("\"clockMaster\"");
    const std::string object = text.substr(master, text.find('}', master) - master);
    EXPECT_EQ(object.find("\"position\""), object.rfind("\"position\"")) << object;
    EXPECT_EQ(Json::parse(text)["clockMaster"]["position"], 1);
}

}  // namespace
