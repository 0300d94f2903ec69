// ovxctl's commands on the simulated driver: what they print, the requests they send
// in which order, and what they refuse before sending anything.
#include "tests/CtlFixture.h"

namespace {

namespace Io = OvxIoctl;
using Ctl = CtlFixture;

using Names = std::vector<std::string>;

TEST_F(Ctl, TablesListDevicesChannelsModesPlugsAndBuffers)
{
    ASSERT_EQ(Run({"devices"}), 0);
    EXPECT_NE(out.str().find("3  Zemra Rack 16  ZR16-0007-03"), std::string::npos) << out.str();
    ASSERT_EQ(Run({"channels", "out"}), 0);
    EXPECT_NE(out.str().find("28  Zemra Rack 16  Out 16"), std::string::npos) << out.str();
    EXPECT_EQ(Requests().front(), "GetDeviceList");
    ASSERT_EQ(Run({"sync"}), 0);
    EXPECT_NE(out.str().find("Clock master:    1 Zemra Stage 8"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 Internal, 2 Bus, 3 S/PDIF coaxial"), std::string::npos) << out.str();
    ASSERT_EQ(Run({"buffers"}), 0);
    EXPECT_NE(out.str().find("asio    5000        1000     1000  40000"), std::string::npos) << out.str();
    ASSERT_EQ(Run({"--json", "streams"}), 0);
    EXPECT_NE(out.str().find("\"plug\": \"synchIn\""), std::string::npos) << out.str();
}

TEST_F(Ctl, SetRateSendsOnlyARateTheDriverOffers)
{
    sim.Change([](SimBus& bus) { bus.rateMode = 0; });
    EXPECT_EQ(Run({"set-rate", "44100"}), 0) << err.str();
    EXPECT_EQ(Requests(), (Names{"GetRateMode", "GetSampleRates", "SetSampleRate"}));
    EXPECT_EQ(InputOf(Io::SetSampleRate), (std::vector<uint8_t>{0, 0, 0, 0, 0x44, 0xAC, 0, 0}));

    EXPECT_EQ(Run({"set-rate", "44000"}), 2);
    EXPECT_NE(err.str().find("expected one of: 44100 48000 88200"), std::string::npos) << err.str();
    EXPECT_FALSE(Sent(Io::SetSampleRate));

    sim.Change([](SimBus& bus) { bus.wdmDeviceInUse = true; });
    EXPECT_EQ(Run({"set-rate", "96000"}), 1);
    EXPECT_EQ(err.str(), "ovxctl: SetSampleRate refused: 0xE0000047 A WDM sound device is currently in use.\n"
                         "Sampling rate cannot be changed.\n");
}

TEST_F(Ctl, ClockAndSyncChangesAreFramedByStopAndStartStreaming)
{
    const Names framed = {"GetDeviceList", "GetDeviceProperties", "GetDeviceProperties", "GetDeviceProperties",
                          "GetDeviceList", "GetDeviceSyncMode", "GetDeviceSyncMode", "GetDeviceSyncMode",
                          "GetClockSource", "GetRateMode", "StopStreaming", "SetClockSource", "SetRateMode",
                          "SetDeviceSyncMode", "SetDeviceSyncMode", "SetDeviceSyncMode", "StartStreaming"};
    ASSERT_EQ(Run({"set-clock", "zd4-0019-82"}), 0) << err.str();
    EXPECT_EQ(Requests(), framed);
    EXPECT_EQ(sim.Bus().clockSource.masterDeviceId, sim.Bus().devices[1].id);

    ASSERT_EQ(Run({"set-clock", "pc"}), 0) << err.str();
    EXPECT_EQ(sim.Bus().clockSource.masterFlag, 0u);
    EXPECT_EQ(InputOf(Io::SetRateMode), (std::vector<uint8_t>(8, 0)));

    ASSERT_EQ(Run({"set-sync", "Zemra Rack 16", "word clock bnc"}), 0) << err.str();
    EXPECT_EQ(Requests(), framed);
    EXPECT_EQ(sim.Bus().devices[2].currentSync.name, "Word clock BNC");
    ASSERT_EQ(Run({"set-sync", "2", "3"}), 0);
    EXPECT_EQ(sim.Bus().devices[1].currentSync.name, "S/PDIF coaxial");

    EXPECT_EQ(Run({"set-sync", "2", "Tape"}), 2);
    EXPECT_NE(err.str().find("1 Internal, 2 Bus"), std::string::npos) << err.str();
    EXPECT_FALSE(Sent(Io::StopStreaming));

    sim.FailRequest(Io::StopStreaming, 0xE0000076);
    EXPECT_EQ(Run({"set-clock", "1"}), 1);
    EXPECT_EQ(err.str(), "ovxctl: StopStreaming refused: 0xE0000076 Start streaming failed.\n");
    EXPECT_FALSE(Sent(Io::SetClockSource));
    EXPECT_FALSE(Sent(Io::StartStreaming));
}

TEST_F(Ctl, BufferDepthsAreCheckedAgainstTheDriversRangeAndTheStreamAndWdmOnesRestartStreaming)
{
    ASSERT_EQ(Run({"set-buffer", "stream", "2500"}), 0) << err.str();
    EXPECT_EQ(Requests(), (Names{"GetStreamBufferDepth", "SetStreamBufferDepth", "StopStreaming", "StartStreaming"}));
    EXPECT_EQ(sim.Bus().streamDepth.current, 2500u);
    ASSERT_EQ(Run({"set-buffer", "wdm", "3000"}), 0);
    EXPECT_EQ(Requests(), (Names{"GetWdmBufferDepth", "SetWdmBufferDepth", "StopStreaming", "StartStreaming"}));
    ASSERT_EQ(Run({"set-buffer", "asio", "8000"}), 0);
    EXPECT_EQ(Requests(), (Names{"GetAsioBufferDepth", "SetAsioBufferDepth"}));
    EXPECT_EQ(sim.Bus().asioDepth.current, 8000u);

    for (const char* depth : {"500", "41000", "8500", "8k"}) {
        EXPECT_EQ(Run({"set-buffer", "asio", depth}), 2) << depth;
        EXPECT_FALSE(Sent(Io::SetAsioBufferDepth)) << depth;
    }
    EXPECT_NE(err.str().find("a depth in microseconds"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"set-buffer", "asio", "8500"}), 2);
    EXPECT_EQ(err.str(), "ovxctl: the asio buffer depth must be a multiple of 1000 from 1000 to 40000 microseconds\n");
}

TEST_F(Ctl, RenamesSendTheRecordReadWithTheNewNameAndRefuseNamesThatDoNotFit)
{
    ASSERT_EQ(Run({"rename-device", "ZS8-0041-17", "Front of house"}), 0) << err.str();
    EXPECT_EQ(sim.Bus().devices[0].name, "Front of house");
    EXPECT_EQ(Requests().back(), "SetDeviceProperties");
    ASSERT_EQ(Run({"rename-channel", "in", "2", "Snare"}), 0) << err.str();
    EXPECT_EQ(sim.Bus().inputs[1].name, "Snare");
    EXPECT_EQ(sim.Bus().inputs[1].hardwareName, "In 2");

    EXPECT_EQ(Run({"rename-device", "1", std::string(40, 'x')}), 2);
    EXPECT_EQ(Run({"rename-channel", "out", "1", std::string(40, 'x')}), 2);
    EXPECT_NE(err.str().find("at most 39 fit"), std::string::npos) << err.str();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Run({"rename-device", "1", std::string(39, 'x')}), 0);
}

TEST_F(Ctl, AsioNamesAndRanking)
{
    ASSERT_EQ(Run({"set-asio-names", "on"}), 0);
    EXPECT_EQ(InputOf(Io::SetAsioNameOption), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Run({"set-asio-names", "yes"}), 2);

    // The devices named first, the others after them in their order.
    ASSERT_EQ(Run({"rank", "3", "Zemra Stage 8"}), 0) << err.str();
    const SimBus bus = sim.Bus();
    EXPECT_EQ(bus.devices[2].ranking, 0u);
    EXPECT_EQ(bus.devices[0].ranking, 1u);
    EXPECT_EQ(bus.devices[1].ranking, 2u);
    EXPECT_EQ(sim.CountOf(Io::SetDeviceProperties), 3u);
    // The driver now lists the devices in their new ranking.
    EXPECT_EQ(Run({"rank", "1", "zr16-0007-03"}), 2);
    EXPECT_NE(err.str().find("twice"), std::string::npos);
}

TEST_F(Ctl, UsageErrorsAndAnAbsentDriver)
{
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"stauts"}), 2);
    EXPECT_NE(err.str().find("unknown command \"stauts\""), std::string::npos);
    EXPECT_EQ(Run({"set-sync", "1"}), 2);
    EXPECT_EQ(err.str(), "ovxctl: set-sync expects DEVICE MODE\n");
    EXPECT_EQ(Run({"channels", "both"}), 2);
    EXPECT_EQ(Run({"report", "--with-names", "--with-names"}), 2);   // a flag twice is no file name
    EXPECT_EQ(Run({"set-clock", "9"}), 2);
    EXPECT_NE(err.str().find("expected a position in the devices listing, a serial number or a name"),
              std::string::npos) << err.str();
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("position in the devices listing (1 first), its serial number"), std::string::npos);

    sim.SetDriverPresent(false);
    EXPECT_EQ(Run({"status"}), 1);
    EXPECT_EQ(err.str(), "ovxctl: opening the driver refused: 0x00000002 The driver's control device was not found.\n");
}

// A stream that refuses every write, as a full disk or a closed pipe does.
class CRefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(Ctl, ArgumentsAreCheckedBeforeTheDriverIsOpened)
{
    sim.SetDriverPresent(false);
    for (const Names& line : {Names{"set-rate", "abc"}, Names{"channels", "both"}, Names{"set-buffer", "asio", "8k"},
                              Names{"set-buffer", "tape", "1000"}, Names{"set-asio-names", "yes"},
                              Names{"rename-channel", "sideways", "1", "Snare"}}) {
        EXPECT_EQ(Run(line), 2) << line[0] << " " << line[1];
        EXPECT_TRUE(sim.Trace().empty()) << line[0] << " " << line[1];
    }
    EXPECT_EQ(err.str(), "ovxctl: rename-channel expects in or out, not \"sideways\"\n");
}

TEST_F(Ctl, SetRateIsRefusedUnlessTheRateIsSetManually)
{
    ASSERT_NE(sim.Bus().rateMode, 0u);
    EXPECT_EQ(Run({"set-rate", "44100"}), 2);
    EXPECT_EQ(Requests(), (Names{"GetRateMode"}));
    EXPECT_EQ(err.str(), "ovxctl: set-rate expects the manual rate mode, but the sampling rate is set automatically "
                         "as defined by the clock master\n");
    EXPECT_EQ(sim.Bus().currentRate, 48000u);
}

TEST_F(Ctl, OptionsAreReadOnlyBeforeTheCommandAndTwoDashesEndThem)
{
    ASSERT_EQ(Run({"rename-device", "1", "-h"}), 0) << err.str();
    EXPECT_EQ(sim.Bus().devices[0].name, "-h");
    ASSERT_EQ(Run({"rename-channel", "in", "1", "--json"}), 0) << err.str();
    EXPECT_EQ(sim.Bus().inputs[0].name, "--json");

    EXPECT_EQ(Run({"devices", "--json"}), 2);
    EXPECT_EQ(err.str(), "ovxctl: devices expects no arguments\n");
    EXPECT_EQ(Run({"--", "--help"}), 2);
    EXPECT_NE(err.str().find("unknown command \"--help\""), std::string::npos) << err.str();
    ASSERT_EQ(Run({"--json", "--", "devices"}), 0);
    EXPECT_EQ(out.str().front(), '{');
}

TEST_F(Ctl, NamesWithControlCharactersAreRefusedAndAnEmptyNameIsStoredAsTheEditorsDo)
{
    const std::string before = sim.Bus().devices[0].name;
    EXPECT_EQ(Run({"rename-channel", "out", "1", "Left\tRight"}), 2);
    EXPECT_EQ(Run({"rename-device", "1", "\x1B]0;owned\x07"}), 2);
    EXPECT_EQ(err.str(), "ovxctl: the name \"\\x1B]0;owned\\x07\" holds a control character; expected printable "
                         "characters only\n");
    EXPECT_TRUE(sim.Trace().empty());
    EXPECT_EQ(sim.Bus().devices[0].name, before);

    EXPECT_EQ(Run({"rename-device", "1", ""}), 0) << err.str();
    EXPECT_EQ(sim.Bus().devices[0].name, "");
}

TEST_F(Ctl, AnOutputThatCannotBeWrittenEndsWithExitCode3)
{
    CRefusingBuffer refusing;
    std::ostream closed(&refusing);
    EXPECT_EQ(RunCtlCommand(drv, {"devices"}, closed, err), 3);
    EXPECT_EQ(err.str(), "ovxctl: the output could not be written\n");
    EXPECT_EQ(RunCtlCommand(drv, {"--help"}, closed, err), 3);
}

}  // namespace
