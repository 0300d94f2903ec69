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
    EXPECT_EQ(out.str(), "saved 64 devices, 256 + 256 channels to " + File("studio.json") + "\n");
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

    ASSERT_EQ(Run({"restore", File("studio.json"), "--dry-run"}), 0) << err.str();
    EXPECT_NE(out.str().find("plan: 8 changes, 0 skipped"), std::string::npos) << out.str();
    EXPECT_EQ(Writes(), Names{});

    ASSERT_EQ(Run({"restore", File("studio.json")}), 0) << err.str() << out.str();
    EXPECT_EQ(Writes(), (Names{"SetDeviceProperties", "SetChannelProperties", "SetAsioNameOption", "StopStreaming",
                               "SetClockSource", "SetRateMode", "SetDeviceSyncMode", "SetStreamBufferDepth",
                               "StartStreaming", "SetAsioBufferDepth"}));
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

    ASSERT_EQ(Run({"restore", File("studio.json")}), 0) << err.str() << out.str();
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
        {with("\"version\": 1", "\"version\": 2"), "version: at most 1, found 2: the file was written by a later"},
        {with("\"sampleRate\": 48000", "\"sampleRate\": \"48000\""),
         "settings.sampleRate: expected a whole number from 1 to 4294967295, found string"},
        {with("\"stream\": 1000", "\"stream\": -1"), "settings.buffers.stream: expected a whole number"},
        {with("\"name\": \"Zemra Desk 4\"", "\"name\": \"Desk \\uFF02\""),
         "settings.devices[1].name: the text \"Desk \xEF\xBC\x82\" cannot be passed on: U+FF02 has no place"},
        {with("\"name\": \"Zemra Desk 4\"", "\"name\": \"\\u001b]0;" + std::string(40, 'x') + "\""),
         "the text \"\\x1B]0;xxx"},
        {with("\"name\": \"Zemra Desk 4\"", "\"name\": \"" + std::string(40, 'x') + "\""),
         "cannot be passed on: at most 39 bytes in code page 1252"},
        {with("\"clockMaster\": \"ZS8-0041-17\"", "\"clockMaster\": \"ZZ\""),
         "settings.clockMaster: \"pc\" or the serial number of a device in settings.devices"},
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
    EXPECT_EQ(err.str(), "ovxctl: the restore is incomplete: see the refused items above\n");
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
