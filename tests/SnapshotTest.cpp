// Studio snapshots through ovxctl on the simulated driver: saved, compared and
// restored, at the record limits and onto a bus that changed, with the requests the
// driver saw; files that are refused before any request is sent.
#include <filesystem>
#include <fstream>

#include <unistd.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include "snapshot/SnapshotJson.h"
#include "tests/CtlFixture.h"

namespace {

namespace Io = OvxIoctl;
using Names = std::vector<std::string>;

class Snap : public CtlFixture {
protected:
    Snap() { std::filesystem::create_directories(dir); }
    ~Snap() override { std::filesystem::remove_all(dir); }

    std::string File(const char* name) const { return (dir / name).string(); }
    std::string Write(const char* name, const std::string& text) const
    {
        std::ofstream(dir / name, std::ios::binary) << text;
        return File(name);
    }
    std::string Read(const char* name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The requests of the last run that change something.
    Names Writes() const
    {
        Names writes;
        for (const std::string& name : Requests()) {
            if (name.rfind("Set", 0) == 0 || name.find("Streaming") != std::string::npos)
                writes.push_back(name);
        }
        return writes;
    }
    // What a user sets, as the driver holds it, from a fresh save.
    Snapshot Held()
    {
        EXPECT_EQ(Run({"save", File("held.json")}), 0) << err.str();
        Snapshot held;
        EXPECT_TRUE(ReadSnapshotJson(Read("held.json"), held).Ok());
        held.information = {};
        for (auto* channels : {&held.inputs, &held.outputs}) {
            for (SnapshotChannel& channel : *channels)
                channel.hardwareName.clear();
        }
        return held;
    }

    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("ovx-snapshot-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

SimBus LimitsBus()
{
    SimBus bus = EmptyBus();
    for (uint32_t i = 0; i < kMaxDevices; ++i)
        AddStandardDevice(bus, "Device " + std::to_string(i + 1), "SN-" + std::to_string(1000 + i), 4, 4);
    bus.clockSource = {0, 0, 0};
    bus.rateMode = 1;   // as the driver may hold it, though the panel would not set it
    bus.streaming = true;
    return bus;
}

TEST_F(Snap, AJustSavedSnapshotAtTheLimitsSendsNoWriteAndReadsBackAsSaved)
{
    sim.Change([](SimBus& bus) { bus = LimitsBus(); });
    ASSERT_EQ(Run({"save", File("studio.json")}), 0) << err.str();
    // The pair of PC driver and automatic rate is one that no page sets, and no restore.
    EXPECT_EQ(out.str(), "saved 64 devices, 256 + 256 channels to " + File("studio.json") +
                             "\na restore cannot give back exactly:\n  rate mode automatic: with the PC driver as "
                             "clock master the sampling rate is set by hand\n");
    Snapshot saved;
    ASSERT_TRUE(ReadSnapshotJson(Read("studio.json"), saved).Ok());
    EXPECT_EQ(saved.devices.size(), 64u);
    EXPECT_EQ(saved.outputs.back().hardwareName, "Out 4");
    const nlohmann::json file = nlohmann::json::parse(Read("studio.json"));
    EXPECT_EQ(file["information"]["plugs"].size(), 64u);
    EXPECT_EQ(file["information"]["plugs"][0]["audioOut"], "connected (0)");
    Snapshot again;
    ASSERT_TRUE(ReadSnapshotJson(WriteSnapshotJson(saved), again).Ok());
    EXPECT_EQ(again, saved);

    EXPECT_EQ(Run({"diff", File("studio.json")}), 0) << err.str() << out.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Run({"restore", File("studio.json")}), 0) << err.str();
    EXPECT_EQ(out.str(), "plan: 0 changes, 0 skipped\n");
    EXPECT_EQ(Writes(), Names{});
}

TEST_F(Snap, RestoreWritesOnlyWhatDiffersInThePagesOrderAndFrames)
{
    const Snapshot before = Held();
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    sim.Change([](SimBus& bus) {
        bus.devices[1].name = "Desk";
        bus.inputs[2].name = "Vox";
        bus.clockSource = {0, 0, 0};
        bus.rateMode = 0;
        bus.devices[2].currentSync = bus.devices[2].offeredSync[4];
        bus.streamDepth.current = 2000;
        bus.asioDepth.current = 8000;
        bus.asioNameOption = 1;
    });
    EXPECT_EQ(Run({"diff", File("studio.json")}), 1);
    EXPECT_EQ(err.str(), "");
    EXPECT_NE(out.str().find("device ZD4-0019-82 (Desk) name: \"Desk\" -> \"Zemra Desk 4\"\n"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("clock master: pc -> ZS8-0041-17 (Zemra Stage 8)\n"), std::string::npos);
    EXPECT_NE(out.str().find("input 3 of device ZS8-0041-17 (Zemra Stage 8) name: \"Vox\" -> \"In 3\""),
              std::string::npos);

    ASSERT_EQ(Run({"restore", File("studio.json"), "--dry-run"}), 1) << err.str();
    EXPECT_NE(out.str().find("plan: 8 changes, 0 skipped"), std::string::npos) << out.str();
    EXPECT_EQ(Writes(), Names{});

    ASSERT_EQ(Run({"restore", File("studio.json")}), 0) << err.str() << out.str();
    // The synchronisation page's frame, then the settings page's depth with its restart.
    EXPECT_EQ(Writes(), (Names{"SetDeviceProperties", "SetChannelProperties", "SetAsioNameOption", "StopStreaming",
                               "SetClockSource", "SetRateMode", "SetDeviceSyncMode", "StartStreaming",
                               "SetStreamBufferDepth", "StopStreaming", "StartStreaming", "SetAsioBufferDepth"}));
    EXPECT_NE(out.str().find("restored: 8 applied, 0 refused, 0 not held, 0 skipped"), std::string::npos);
    EXPECT_EQ(Held(), before);
}

TEST_F(Snap, OntoAChangedBusMatchesBySerialAndSkipsWhatTheDriverCannotTakeNow)
{
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    sim.Change([](SimBus& bus) {
        SimBus changed = EmptyBus();
        changed.supportedRates = {44100, 96000};   // 48000 no longer offered
        AddStandardDevice(changed, "New Box", "NEW-1", 2, 2);
        AddStandardDevice(changed, "Rack", "ZR16-0007-03", 16, 8);   // fewer outputs, another id
        AddStandardDevice(changed, "Stage", "ZS8-0041-17", 8, 8);
        // The rack's mode is found by its name on another source id; the stage offers
        // no internal clock now.
        changed.devices[1].currentSync = changed.devices[1].offeredSync[2];
        changed.devices[2].offeredSync.erase(changed.devices[2].offeredSync.begin());
        changed.rateMode = 0;
        changed.currentRate = 44100;
        bus = changed;
    });
    std::string text = Read("studio.json");
    text.replace(text.find("\"rateMode\": \"automatic\""), 23, "\"rateMode\": \"manual\"");
    Write("studio.json", text);

    // What the driver cannot take is skipped, the rest restores, and the exit code says so.
    ASSERT_EQ(Run({"restore", File("studio.json")}), 1) << err.str() << out.str();
    EXPECT_EQ(err.str(), "ovxctl: the driver cannot take all of the file: see the skipped items above\n");
    const std::string report = out.str();
    for (const char* line : {
             "skipped:  device ZD4-0019-82 (Zemra Desk 4): in the file, not connected",
             "applied:  ranking: New Box, Rack, Stage -> Stage, Rack, New Box",
             "skipped:  output 9 of device ZR16-0007-03 (Rack) name: \"Out 9\": the device has no such channel now",
             "applied:  device ZR16-0007-03 (Rack) synchronisation: S/PDIF coaxial (mode 4, source 0x00000103) -> Bus "
             "(mode 2, source 0x00000102)",
             "skipped:  device ZS8-0041-17 (Stage) synchronisation: Bus (mode 2, source 0x00000202) -> Internal (mode "
             "6, source 0x00000001): the device does not offer that mode now",
             "skipped:  sampling rate: 44100 Hz -> 48000 Hz: the driver does not offer that rate now",
             "skipped:  device NEW-1 (New Box): connected, not in the file: left as it is",
             "restored: 5 applied, 0 refused, 0 not held, 12 skipped"}) {
        EXPECT_NE(report.find(line), std::string::npos) << line << "\n" << report;
    }
    // The device the file does not name keeps its place after the file's devices.
    const SimBus bus = sim.Bus();
    EXPECT_EQ(bus.devices[2].name, "Zemra Stage 8");
    EXPECT_EQ(bus.devices[0].ranking, 2u);
    EXPECT_EQ(bus.clockSource.masterDeviceId, bus.devices[2].id);
}

TEST_F(Snap, ABadFileIsRefusedWithItsPlaceBeforeAnyRequest)
{
    ASSERT_EQ(Run({"save", File("good.json")}), 0);
    const std::string good = Read("good.json");
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const struct {
        std::string text;
        std::string message;
    } cases[] = {
        {"{\n  \"format\": ", "line 2, column 13: expected a JSON document; "},
        {"[1, 2]", "the document: expected an object, found array"},
        {"1e400", "the document: expected a JSON document; number overflow parsing \"1e400\""},
        {with("tormalin-zemra-1394-studio-snapshot", "other"), "format: \"tormalin-zemra-1394-studio-snapshot\"; this"},
        {with("\"version\": 2", "\"version\": 3"), "version: at most 2, found 3: the file was written by a later"},
        {with("\"sampleRate\": 48000", "\"sampleRate\": \"48000\""),
         "settings.sampleRate: expected a whole number from 1 to 4294967295, found string"},
        {with("\"stream\": 1000", "\"stream\": -1"), "settings.buffers.stream: expected a whole number"},
        {with("\"kind\": \"device\"", "\"kind\": \"tape\""),
         "settings.clockMaster.kind: \"pc\" or \"device\", found \"tape\""},
        // Brackets by the megabyte are refused before the parser builds them.
        {with("\"information\": {", "\"information\": " + std::string(3 << 20, '[')),
         "at most 8 levels of nesting; this is not a studio snapshot"},
        // A text of the file is quoted escaped and at most 60 characters of it, the library's too.
        {with("\"rateMode\": \"automatic\"", "\"rateMode\": \"" + std::string(100, 'm') + "\""),
         "settings.rateMode: \"manual\" or \"automatic\", found \"" + std::string(60, 'm') + "...\" (100 characters)"},
        {"{\"format\": \"\x7F" + std::string(70, 'f') + "\\q\"}",
         "invalid string: forbidden character after backslash; last read: \"\"\\x7F" + std::string(58, 'f') +
             "...\" (74 characters)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        for (const char* command : {"diff", "restore"}) {
            EXPECT_EQ(Run({command, Write("bad.json", c.text)}), 2);
            EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
            EXPECT_TRUE(sim.Trace().empty());
        }
    }
    EXPECT_EQ(Run({"restore", File("missing.json")}), 2);
    EXPECT_NE(err.str().find("missing.json\" cannot be read: the file could not be opened"), std::string::npos);
}

TEST_F(Snap, AWriteRefusedHalfwayIsReportedAndTheFrameIsStillClosed)
{
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    sim.Change([](SimBus& bus) {
        for (SimChannel& channel : bus.outputs)
            channel.name = "x";
        bus.clockSource = {0, 0, 0};
        bus.rateMode = 0;
    });
    sim.FailRequest(Io::SetChannelProperties, 0xE0000022, FaultRepeat::Once, 10);
    sim.FailRequest(Io::SetClockSource, 0xE0000076);
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    EXPECT_NE(out.str().find("refused:  output 3 of device ZD4-0019-82 (Zemra Desk 4) name: \"x\" -> \"Out 3\": "
                             "SetChannelProperties refused: 0xE0000022 Negative response for an FCP request."),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("applied:  output 4 of device ZD4-0019-82"), std::string::npos);
    EXPECT_NE(out.str().find("refused:  clock master: pc -> ZS8-0041-17"), std::string::npos);
    EXPECT_NE(out.str().find("restored: 28 applied, 2 refused"), std::string::npos) << out.str();
    EXPECT_EQ(err.str(), "ovxctl: the restore is incomplete: see the refused and not held items above\n");
    EXPECT_EQ(Writes().back(), "StartStreaming");

    // A frame that cannot be opened sends nothing of itself and has nothing to close.
    sim.FailRequest(Io::StopStreaming, 0xE0000076);
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    EXPECT_EQ(Writes(), (Names{"SetChannelProperties", "StopStreaming"}));
    EXPECT_NE(out.str().find("clock master: pc -> ZS8-0041-17 (Zemra Stage 8): StopStreaming refused"),
              std::string::npos);
}

TEST_F(Snap, AFailedSaveLeavesWhatWasThereAndSaysWhy)
{
    std::filesystem::create_directory(dir / "taken");
    EXPECT_EQ(Run({"save", File("taken")}), 3);
    EXPECT_NE(err.str().find("was not saved, and a file there before is unchanged: the file could not"),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);   // no temporary file left

    Write("old.json", "old");
    sim.FailRequest(Io::GetStreamInfo, 0xE0000022);
    EXPECT_EQ(Run({"save", File("old.json")}), 1);
    EXPECT_EQ(Read("old.json"), "old");
}

TEST_F(Snap, ASaveOverwritesNoOtherFileAndTheTargetKeepsWhatItWas)
{
    // The fixed temporary name of before, and the first a save of this process tries now.
    const std::string pid = std::to_string(::getpid());
    const std::string taken[] = {"studio.json." + pid + ".tmp", "studio.json.incomplete-" + pid + "-1.tmp"};
    for (const std::string& name : taken)
        Write(name.c_str(), "precious");
    const std::string target = Write("studio.json", "old");
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
#else
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
    ASSERT_EQ(Run({"save", target}), 0) << err.str();
    for (const std::string& name : taken)
        EXPECT_EQ(Read(name.c_str()), "precious") << name;
    EXPECT_NE(Read("studio.json").find("tormalin-zemra-1394-studio-snapshot"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3);   // no temporary file left
#ifdef _WIN32
    EXPECT_TRUE(::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN);
#else
    EXPECT_EQ(std::filesystem::status(target).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
#endif
}

TEST_F(Snap, AReadOnlyTargetIsRefusedAndLeftAsItWas)
{
    const std::string target = Write("studio.json", "old");
    const auto readOnly = std::filesystem::perms::owner_read | std::filesystem::perms::group_read;
    std::filesystem::permissions(target, readOnly);
    EXPECT_EQ(Run({"save", target}), 3);
    EXPECT_NE(err.str().find("was not saved, and a file there before is unchanged: the file could not replace the "
                             "target: it is read-only"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(Read("studio.json"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    std::filesystem::permissions(target, std::filesystem::perms::owner_all);
}

// A word the ANSI code page cannot hold: what the command line reader makes of it.
TEST_F(Snap, AWordTheCodePageCannotHoldIsTakenAsAFileAndRefusedAsAName)
{
    const auto word = [](const std::string& ansi) { return CtlWord{ansi, FilePathFromAnsi(ansi), {}}; };
    const CtlWord unpassable{"?.json", FilePathFromAnsi(File("studio.json")), "argument 2 cannot be passed on: why"};
    ASSERT_EQ(RunCtlCommandLine(drv, ReadCtlCommandLine({word("save"), unpassable}), out, err), 0) << err.str();
    EXPECT_EQ(out.str(), "saved 3 devices, 28 + 28 channels to ?.json\n");
    EXPECT_NE(Read("studio.json").find("ZS8-0041-17"), std::string::npos);
    out.str("");
    EXPECT_EQ(RunCtlCommandLine(drv, ReadCtlCommandLine({word("diff"), unpassable}), out, err), 0) << err.str();
    sim.ClearTrace();
    EXPECT_EQ(RunCtlCommandLine(drv, ReadCtlCommandLine({word("rename-device"), word("1"), unpassable}), out, err), 2);
    EXPECT_NE(err.str().find("ovxctl: argument 2 cannot be passed on: why\n"), std::string::npos) << err.str();
    EXPECT_TRUE(sim.Trace().empty());
}

}  // namespace

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    return text.replace(text.find(from), from.size(), to);
}

}  // namespace

TEST_F(Snap, ValuesTheDriverCannotTakeAreSkippedOneByOneAndTheRestRestores)
{
    // A byte code page 1252 leaves undefined (Windows maps it to a C1 control) is saved,
    // and said to be one a restore cannot give back; the same bus still compares equal.
    sim.Change([](SimBus& bus) { bus.devices[1].name = "Desk\x81"; });
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    EXPECT_NE(out.str().find("restore cannot give back exactly:\n  device ZD4-0019-82 (Desk"), std::string::npos)
        << out.str();
    EXPECT_EQ(Run({"diff", File("studio.json")}), 0) << out.str();

    std::string text = Read("studio.json");
    text = Replaced(text, "\"Zemra Stage 8\"", "\"Stage \\u0425\"");   // a Cyrillic letter
    text = Replaced(text, "\"name\": \"In 1\"", "\"name\": \"\"");
    text = Replaced(text, "\"name\": \"Out 1\"", "\"name\": \"\\u001b]0;pwned\\u0007\"");
    text = Replaced(text, "\"name\": \"In 2\"", "\"name\": \"" + std::string(40, 'x') + "\"");
    sim.Change([](SimBus& bus) {
        bus.inputs[2].name = "Vox";
        bus.asioDepth.current = 8000;
    });
    EXPECT_EQ(Run({"restore", Write("odd.json", text)}), 1);
    for (const char* line : {
             "skipped:  device ZS8-0041-17 (Zemra Stage 8) name: \"Zemra Stage 8\" -> \"Stage ?\": the name has "
             "characters the system's ANSI code page cannot hold",
             "applied:  input 1 of device ZS8-0041-17 (Zemra Stage 8) name: \"In 1\" -> \"\"",
             "skipped:  output 1 of device ZS8-0041-17 (Zemra Stage 8) name: \"Out 1\" -> \"\\x1B]0;pwned\\x07\": the "
             "name holds a control character",
             "name: \"In 2\" -> \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\": the name is longer than 39",
             "applied:  input 3 of device ZS8-0041-17 (Zemra Stage 8) name: \"Vox\" -> \"In 3\"",
             "applied:  ASIO buffer: 8000 us -> 5000 us"}) {
        EXPECT_NE(out.str().find(line), std::string::npos) << line << "\n" << out.str();
    }
    EXPECT_EQ(sim.CountOf(Io::SetDeviceProperties), 0u);
    EXPECT_EQ(sim.CountOf(Io::SetChannelProperties), 2u);
}

TEST_F(Snap, ARestoreNeverLeavesThePcAsMasterWithTheRateFollowingIt)
{
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);   // a device as master, the rate following it
    sim.Change([](SimBus& bus) {
        bus.clockSource = {0, 0, 0};
        bus.rateMode = 0;
        bus.currentRate = 44100;
    });
    sim.UnplugDevice(sim.Bus().devices[0].id);   // the master of the file
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    for (const char* line : {"skipped:  clock master: pc -> ZS8-0041-17 (Zemra Stage 8): the clock master is not",
                             "skipped:  rate mode: manual -> automatic: with the PC driver as clock master the",
                             "applied:  sampling rate: 44100 Hz -> 48000 Hz"}) {
        EXPECT_NE(out.str().find(line), std::string::npos) << line << "\n" << out.str();
    }
    const SimBus bus = sim.Bus();
    EXPECT_EQ(bus.clockSource.masterFlag, 0u);
    EXPECT_EQ(bus.rateMode, 0u);
    EXPECT_EQ(bus.currentRate, 48000u);
}

TEST_F(Snap, NoSerialNumberIsTakenForThePcAndDevicesWithoutOneDoNotStopTheRest)
{
    sim.Change([](SimBus& bus) {
        bus.devices[0].serialNumber = "pc";   // the clock master
        bus.devices[1].serialNumber = "";
        bus.devices[2].serialNumber = "";
    });
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    EXPECT_NE(out.str().find("device  (Zemra Desk 4): without a serial number it cannot be found again"),
              std::string::npos)
        << out.str();
    sim.Change([](SimBus& bus) {
        bus.clockSource = {0, 0, 0};
        bus.asioDepth.current = 8000;
    });
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    EXPECT_EQ(sim.Bus().clockSource.masterDeviceId, sim.Bus().devices[0].id);
    EXPECT_EQ(sim.Bus().asioDepth.current, 5000u);

    // In a file of the first version the word means the PC driver, as it always did.
    std::string text = Replaced(Read("studio.json"), "\"version\": 2", "\"version\": 1");
    text = Replaced(text, text.substr(text.find("\"clockMaster\": {"), text.find('}', text.find("\"clockMaster\": {")) -
                                                                           text.find("\"clockMaster\": {") + 1),
                    "\"clockMaster\": \"pc\"");
    Run({"restore", Write("old.json", text)});
    EXPECT_EQ(sim.Bus().clockSource.masterFlag, 0u) << out.str();
}

TEST_F(Snap, OutcomesAreTheDriversAndExitCodesAScriptCanTrust)
{
    ASSERT_EQ(Run({"save", File("studio.json")}), 0);
    sim.Change([](SimBus& bus) {
        for (size_t i = 0; i < bus.devices.size(); ++i)
            bus.devices[i].ranking = static_cast<uint32_t>(bus.devices.size() - 1 - i);
        bus.wdmDepth.current = 20000;
    });
    sim.FailRequest(Io::SetDeviceProperties, 0xE0000022);   // the ranking's first write
    sim.FailRequest(Io::StartStreaming, 0xE0000076);
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    EXPECT_NE(out.str().find("not held: ranking: Zemra Rack 16, Zemra Desk 4, Zemra Stage 8 -> Zemra Stage 8, Zemra "
                             "Desk 4, Zemra Rack 16: the driver holds Zemra Stage 8, Zemra Rack 16, Zemra Desk 4; "
                             "SetDeviceProperties refused: 0xE0000022"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("restored: "), std::string::npos);
    EXPECT_NE(err.str().find("StartStreaming refused: 0xE0000076 Start streaming failed.; streaming is stopped"),
              std::string::npos)
        << err.str();

    // As diff(1): 1 for differences, 2 for trouble.
    EXPECT_EQ(Run({"diff", File("studio.json")}), 1);
    // A depth written but not put in effect, its StopStreaming refused, is no success.
    sim.Change([](SimBus& bus) { bus.wdmDepth.current = 20000; });
    sim.FailRequest(Io::StopStreaming, 0xE0000022);
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
    EXPECT_NE(out.str().find("StopStreaming refused: 0xE0000022"), std::string::npos) << out.str();
    sim.FailRequest(Io::GetClockSource, 0xE0000022);
    EXPECT_EQ(Run({"diff", File("studio.json")}), 2);
    sim.SetDriverPresent(false);
    EXPECT_EQ(Run({"diff", File("studio.json")}), 2);
    EXPECT_EQ(Run({"restore", File("studio.json")}), 1);
}
