// The support report through ovxctl on the simulated driver: every fact in its section
// of the text and in the JSON, a read that fails written into the report, the names
// only when asked for, and the report as a file.
#include <filesystem>
#include <fstream>

#include "report/SystemFacts.h"
#include "tests/CtlFixture.h"

namespace {

namespace Io = OvxIoctl;
using Json = nlohmann::json;

constexpr const char* kSections[] = {"[Versions]", "[Windows]", "[Devices]", "[Clock and rates]", "[Plugs]",
                                     "[Buffers and drop-outs]", "[Failed requests, oldest first]",
                                     "[Event history, oldest first]"};
constexpr char kNamesSection[] = "[Computer and user]";
constexpr char kClockRefused[] = "GetClockSource, 0xE0000022 Negative response for an FCP request.";

// The default studio with a plug that fails to connect, a device named with an escape
// sequence, and a read that the driver refuses.
class SupportReport : public CtlFixture {
protected:
    SupportReport()
    {
        sim.Change([](SimBus& bus) {
            bus.devices[1].plugs[PlugAudioIn].failCode = 0xE0000073;
            bus.devices[2].name = "Rack\x1B[2J";
        });
        sim.FailRequest(Io::GetClockSource, 0xE0000022);
    }

    // The text from a section's heading to the next one.
    static std::string Section(const std::string& text, const std::string& heading)
    {
        const size_t start = text.find("\n" + heading + "\n");
        return start == std::string::npos ? "" : text.substr(start, text.find("\n[", start + 1) - start);
    }
};

TEST_F(SupportReport, TheTextHoldsEachFactInItsSectionAndNamesTheReadThatFailed)
{
    ASSERT_EQ(Run({"report"}), 1);
    EXPECT_EQ(err.str(), "ovxctl: GetClockSource refused: 0xE0000022 Negative response for an FCP request.\n");
    const std::string text = out.str();
    const struct { const char* section; std::string line; } lines[] = {
        {"[Versions]", "\nControl panel:    V 1.01\novxctl:           V 1.01\nDriver interface: 2.14\n"
                       "Driver version:   1.1.517\n"},
        {"[Windows]", "\n" + OperatingSystemText() + "\n"},
        {"[Devices]", "\nDevice 1: Zemra Stage 8\n  Serial number:   ZS8-0041-17\n"},
        {"[Devices]", "\n  Serial number:   ZD4-0019-82\n"},
        {"[Devices]", "\nDevice 3: Rack\\x1B[2J\n  Serial number:   ZR16-0007-03\n"},
        {"[Devices]", "\n  Synchronisation: Internal (mode 6, source 0x00000001)\n"},
        {"[Devices]", "\n  Inputs:          8\n    1  In 1 (hardware name In 1)\n"},
        {"[Clock and rates]", "\nNot read in full: " + std::string(kClockRefused) + "\nRate mode:"},
        {"[Plugs]", "\n  Audio In Plug: connect failed: Error code 0xE0000073: Bandwidth allocation failed.\n"},
        {"[Buffers and drop-outs]", "\nASIO buffer:    5000 us, 240 samples (minimum 1000, step 1000)\n"},
        {"[Failed requests, oldest first]", "  " + std::string(kClockRefused) + "\n"},
        {"[Event history, oldest first]", "\novxctl keeps no event history; the panel's report holds it.\n"},
    };
    for (const auto& [section, line] : lines)
        EXPECT_NE(Section(text, section).find(line), std::string::npos) << section << " lacks " << line << "\n" << text;
    size_t previous = 0;
    for (const char* heading : kSections) {
        EXPECT_GT(text.find(heading), previous) << heading << " out of order";
        previous = text.find(heading);
    }
    EXPECT_EQ(text.find('\x1B'), std::string::npos);
    EXPECT_EQ(text.find(kNamesSection), std::string::npos);
}

TEST_F(SupportReport, TheJsonHoldsTheSameFacts)
{
    ASSERT_EQ(Run({"--json", "report"}), 1);
    const Json json = Json::parse(out.str(), nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << out.str();
    const struct { const char* pointer; Json value; } fields[] = {
        {"/versions/panel", "V 1.01"},
        {"/versions/ovxctl", "V 1.01"},
        {"/versions/driverInterface", "2.14"},
        {"/windows", OperatingSystemText()},
        {"/read/complete", false},
        {"/read/failures/0/request", "GetClockSource"},
        {"/clock/master", nullptr},
        {"/clock/sampleRate", 48000},
        {"/devices/2/name", "Rack\x1B[2J"},
        {"/channels/in/0/hardwareName", "In 1"},
        {"/plugs/1/plugs/1/failure", "Error code 0xE0000073: Bandwidth allocation failed."},
        {"/buffers/asio/current", 5000},
        {"/failedRequests/0/request", "GetClockSource"},
        {"/failedRequests/0/code", 0xE0000022},
        {"/history", nullptr},
    };
    for (const auto& [pointer, value] : fields)
        EXPECT_EQ(json.value(Json::json_pointer(pointer), Json("absent")), value) << pointer;
    const SimBus bus = sim.Bus();
    ASSERT_EQ(json["devices"].size(), bus.devices.size());
    for (size_t i = 0; i < bus.devices.size(); ++i)
        EXPECT_EQ(json["devices"][i]["serial"], bus.devices[i].serialNumber);
    EXPECT_FALSE(json.contains("names"));
}

TEST_F(SupportReport, TheNamesAreInOnlyWhenAskedFor)
{
    const ComputerNames names = ReadComputerNames();
    ASSERT_FALSE(names.computer.empty());
    for (const bool withNames : {false, true}) {
        const std::vector<std::string> words = withNames ? std::vector<std::string>{"report", "--with-names"}
                                                         : std::vector<std::string>{"report"};
        Run(words);
        const std::string section = Section(out.str(), kNamesSection);
        EXPECT_EQ(section.find("\nComputer: " + names.computer + "\nUser:     " + names.user) != std::string::npos,
                  withNames) << out.str();
        std::vector<std::string> jsonWords = words;
        jsonWords.insert(jsonWords.begin(), "--json");
        Run(jsonWords);
        const Json json = Json::parse(out.str(), nullptr, false);
        EXPECT_EQ(json.value(Json::json_pointer("/names/computer"), Json()), withNames ? Json(names.computer) : Json());
    }
}

TEST_F(SupportReport, AFileIsWrittenWholeWithWindowsLineEndsAndADriverNotThereIsReported)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "ovx-support-report.txt";
    sim.SetDriverPresent(false);
    EXPECT_EQ(Run({"report", file.string()}), 1);
    EXPECT_EQ(err.str().rfind("ovxctl: opening the driver refused: ", 0), 0u) << err.str();
    EXPECT_EQ(out.str(), "support report written to " + file.string() + "\n");
    const std::string written = [&] {
        std::ifstream in(file, std::ios::binary);   // closed before the file is removed, which Windows requires
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_EQ(written.rfind("Tormalin Zemra 1394 support report\r\n", 0), 0u) << written;
    EXPECT_NE(written.find("\r\nNot read: the driver could not be opened.\r\n"), std::string::npos) << written;
    std::filesystem::remove(file);
    EXPECT_EQ(Run({"report", "a.txt", "b.txt"}), 2);
    EXPECT_EQ(err.str(), "ovxctl: report expects [FILE] [--with-names], not \"b.txt\"\n");
}

}  // namespace

TEST_F(SupportReport, AStreamStatusNotReadGivesNoStreamingVerdictInEitherForm)
{
    sim.FailRequest(Io::GetStreamInfo, 0xE0000022, FaultRepeat::Always);
    Run({"report"});
    EXPECT_NE(Section(out.str(), "[Plugs]").find("Not read in full: GetStreamInfo"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("\nStreaming: "), std::string::npos) << out.str();
    Run({"--json", "report"});
    EXPECT_EQ(Json::parse(out.str(), nullptr, false).value("streaming", Json("absent")), Json()) << out.str();
}
