#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/ResultCodes.h"
#include "sim/SimDriver.h"
#include "sim/SimScenario.h"
#include "sim/SimTraceLine.h"

namespace {

bool Parse(const std::string& text, SimScenario& scenario, std::string& error)
{
    std::istringstream in(text);
    return ParseSimScenario(in, scenario, error);
}

}  // namespace

TEST(SimScenario, DescribesDevicesSettingsAndFaults)
{
    SimScenario scenario;
    std::string error;
    ASSERT_TRUE(Parse("bus empty   # start from nothing\n"
                      "device \"Desk One\" \"SN 1\" 2 1\n"
                      "  current-sync 9 0x0101 \"Word clock\"\n"
                      "  offer-sync 2 7 \"Bus\"\n"
                      "  offer-sync 9 0x0101 \"Word clock\"\n"
                      "  plug-state audio-in fail 0xE0000073\n"
                      "  plug-state synch-out absent\n"
                      "  channel-name in 1 \"Kick\"\n"
                      "\n"
                      "clock 1 0x00A1B200\n"
                      "rate 96000\n"
                      "rates 44100 48000\n"
                      "asio-depth 0 250 5500 40000\n"
                      "streaming off\n"
                      "fail GetDeviceList 0xE0000001 always skip 2\n"
                      "delay GetStreamInfo 30\n"
                      "malform GetChannelProperties counts once\n"
                      "endless-events 3\n",
                      scenario, error))
        << error;
    const SimBus& bus = scenario.bus;
    ASSERT_EQ(bus.devices.size(), 1u);
    const SimDevice& device = bus.devices[0];
    EXPECT_EQ(device.name, "Desk One");
    EXPECT_EQ(device.serialNumber, "SN 1");
    EXPECT_EQ(device.currentSync.modeCode, 9u);
    EXPECT_EQ(device.currentSync.name, "Word clock");
    ASSERT_EQ(device.offeredSync.size(), 2u);
    EXPECT_EQ(device.offeredSync[0].sourceId, 7u);
    EXPECT_EQ(device.plugs[PlugAudioIn].failCode, 0xE0000073u);
    EXPECT_FALSE(device.plugs[PlugSynchOut].present);
    ASSERT_EQ(bus.inputs.size(), 2u);
    EXPECT_EQ(bus.inputs[1].name, "Kick");
    EXPECT_EQ(bus.outputs.size(), 1u);
    EXPECT_EQ(bus.clockSource.masterFlag, 1u);
    EXPECT_EQ(bus.clockSource.masterDeviceId, device.id);
    EXPECT_EQ(bus.currentRate, 96000u);
    EXPECT_EQ(bus.supportedRates, (std::vector<uint32_t>{44100, 48000}));
    EXPECT_EQ(bus.asioDepth.minimum, 0u);
    EXPECT_EQ(bus.asioDepth.step, 250u);
    EXPECT_EQ(bus.asioDepth.current, 5500u);
    EXPECT_FALSE(bus.streaming);
    ASSERT_EQ(scenario.faults.size(), 4u);

    // The faults act on the driver as written: two lists, then failures for good.
    CSimDriver driver(scenario.bus);
    ApplySimFaults(scenario, driver);
    CScopedSimDriver installed(driver);
    COvx1394Driver connection;
    ASSERT_EQ(connection.Open(kOvxDeviceName), DRV_OK);
    _DEVICE_ID_LIST list{};
    EXPECT_EQ(connection.GetDeviceList(&list), DRV_OK);
    EXPECT_EQ(connection.GetDeviceList(&list), DRV_OK);
    EXPECT_EQ(connection.GetDeviceList(&list), 0xE0000001u);
    EXPECT_EQ(connection.GetDeviceList(&list), 0xE0000001u);
    _DRIVER_EVENT_INFO event{};
    EXPECT_EQ(connection.GetNextEvent(&event), DRV_OK);
    EXPECT_EQ(event.kind, 3u);
}

TEST(SimScenario, RefusesWhatItCannotReadWithTheLineNumber)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"bus empty\nfrobnicate 3\n", "line 2: \"frobnicate\" not understood, expected a statement (see the README's table)"},
        {"device \"Unclosed 1 1\n", "line 1: a text without its closing quote"},
        {"bus empty\nplug-state audio-in absent\n", "line 2: refused: plug-state needs a device before it"},
        {"plug-state 4 audio-in absent\n", "line 1: \"4\" not understood, expected a device number from 1 to 3"},
        {"unplug 2\n", "line 1: refused: unplug is a statement of the running bus, not of a scenario file"},
        {"plug 2\n", "line 1: refused: plug is a statement of the running bus, not of a scenario file"},
        {"rate -5\n", "line 1: \"-5\" not understood, expected a number"},
        {"bus empty\ndevice \"A\" \"B\" 1 1\nchannel-name out 4 \"X\"\n", "line 3: refused: the device has no output channel 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SimScenario scenario;
        std::string error;
        EXPECT_FALSE(Parse(c.text, scenario, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(SimScenario, APlugsStateReadsTheSameInItsOldSpellingAndOnANumberedDevice)
{
    const auto plugsOf = [](const char* text) {
        SimScenario scenario;
        std::string error;
        EXPECT_TRUE(Parse(text, scenario, error)) << error;
        std::vector<std::tuple<bool, uint32_t, int32_t>> plugs;
        for (const SimDevice& device : scenario.bus.devices) {
            for (const SimPlug& plug : device.plugs)
                plugs.emplace_back(plug.present, plug.failCode, plug.fixedStreamNumber);
        }
        return plugs;
    };
    const auto current = plugsOf("bus empty\ndevice \"A\" \"1\" 1 1\n"
                                 "plug-state audio-out fail 0xE0000073\nplug-state synch-in absent\n"
                                 "device \"B\" \"2\" 1 1\nplug-state 1 audio-in stream 7\n");
    EXPECT_EQ(current, plugsOf("bus empty\ndevice \"A\" \"1\" 1 1\n"
                               "plug audio-out fail 0xE0000073\nplug synch-in absent\n"
                               "plug audio-in stream 7\ndevice \"B\" \"2\" 1 1\n"));
    ASSERT_EQ(current.size(), 8u);
    EXPECT_EQ(current[0], std::make_tuple(true, 0xE0000073u, -1));
    EXPECT_EQ(current[1], std::make_tuple(true, 0u, 7));
    EXPECT_EQ(current[3], std::make_tuple(false, 0u, -1));
}

TEST(SimTraceLine, NamesTheRequestAndShowsItsBytesAndResult)
{
    EXPECT_EQ(FormatTraceLine({1, OvxIoctl::GetDriverVersion, {}, 0}), "GetDriverVersion - 0x00000000");
    EXPECT_EQ(FormatTraceLine({2, OvxIoctl::SetRateMode, {0x00, 0x01, 0xab}, WinError::InvalidParameter}),
              "SetRateMode 0001ab 0x00000057");
    EXPECT_EQ(FormatTraceLine({1, 0x12345678, {0xff}, WinError::InvalidFunction}), "0x12345678 ff 0x00000001");
}
