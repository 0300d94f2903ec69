// ovxctl watch on the in-process simulated driver, while a second thread changes the bus
// once the watch has read it and then presses Ctrl+C.
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include "ctl/CtlInterrupt.h"
#include "tests/CtlFixture.h"

namespace {

struct WatchCase {
    std::function<void(CSimDriver&)> change;
    const char* line;       // after the time
    nlohmann::json json;    // fields of its JSON line
};

const WatchCase kCases[] = {
    {[](CSimDriver& sim) { sim.UnplugDevice(sim.Bus().devices[1].id); },
     "Device disconnected\tZemra Desk 4 (ZD4-0019-82)",
     {{"kind", "deviceGone"}, {"device", "Zemra Desk 4"}, {"serial", "ZD4-0019-82"}}},
    {[](CSimDriver& sim) {
         sim.Change([](SimBus& bus) { bus.devices.back().plugs[PlugAudioIn].failCode = 0xE0000076; });
         sim.RaiseEvent(EvtType_StreamingRestarted);
     },
     "Streaming stopped: Error code 0xE0000076: Start streaming failed.\tZemra Rack 16",
     {{"kind", "streamingStopped"}, {"device", "Zemra Rack 16"},
      {"failure", {{"code", 0xE0000076}, {"text", "Start streaming failed."}}}}},
    {[](CSimDriver& sim) {
         sim.Change([](SimBus& bus) { bus.currentRate = 44100; });
         sim.RaiseEvent(EvtType_DomainConfigurationChanged);
     },
     "Sampling rate changed from 48.0 kHz to 44.1 kHz (from outside)",
     {{"kind", "rateChanged"}, {"byPanel", false}, {"rates", {{"before", 48000}, {"after", 44100}}}}},
};

class Watch : public CtlFixture {
protected:
    // Runs the watch; once it has read the driver, another thread makes the change and
    // presses Ctrl+C, after which what the driver announced before is still told.
    int RunWatch(const std::vector<std::string>& options, const std::function<void()>& change)
    {
        sim.ClearTrace();
        const size_t devices = sim.Bus().devices.size();
        std::thread actor([&] {
            const auto patience = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (sim.CountOf(OvxIoctl::GetStreamInfo) < devices && std::chrono::steady_clock::now() < patience)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            change();
            CCtlInterrupt::Signal();
        });
        std::vector<std::string> args = options;
        args.push_back("watch");
        const int exitCode = Run(args);
        actor.join();
        std::istringstream text(out.str());
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return exitCode;
    }

    void ChangeAll()
    {
        for (const WatchCase& c : kCases)
            c.change(sim);
    }

    std::vector<std::string> lines;
};

}  // namespace

TEST_F(Watch, EachChangePrintsOneLineInOrderAndCtrlCEndsWithZero)
{
    ASSERT_EQ(RunWatch({}, [&] { ChangeAll(); }), 0) << err.str();
    ASSERT_EQ(lines.size(), std::size(kCases)) << out.str();
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find('\t'), std::string("2026-12-10 14:03:07").size()) << lines[i];
        EXPECT_EQ(lines[i].substr(lines[i].find('\t') + 1), kCases[i].line);
    }
    // It only reads, and only what the changes are found in.
    const std::set<std::string> reads = {"GetDriverVersion", "RegisterNotificationEvent", "GetNextEvent",
                                         "GetDeviceList",    "GetDeviceProperties",       "GetClockSource",
                                         "GetSampleRates",   "GetStreamInfo"};
    for (const std::string& request : Requests())
        EXPECT_TRUE(reads.count(request)) << request;
}

TEST_F(Watch, JsonIsOneObjectALine)
{
    ASSERT_EQ(RunWatch({"--json"}, [&] { ChangeAll(); }), 0) << err.str();
    ASSERT_EQ(lines.size(), std::size(kCases)) << out.str();
    for (size_t i = 0; i < lines.size(); ++i) {
        const nlohmann::json json = nlohmann::json::parse(lines[i], nullptr, false);
        ASSERT_TRUE(json.is_object()) << lines[i];
        EXPECT_EQ(json.value("time", "").size(), std::string("2026-12-10T13:03:07Z").size()) << lines[i];
        for (const auto& [field, value] : kCases[i].json.items())
            EXPECT_EQ(json.value(field, nlohmann::json()), value) << lines[i];
    }
}

TEST_F(Watch, TheDriverLeavingEndsWithOne)
{
    EXPECT_EQ(RunWatch({}, [&] { sim.SetDriverPresent(false); }), 1);
    ASSERT_EQ(lines.size(), 1u) << out.str();
    EXPECT_NE(lines[0].find("\tThe driver cannot be reached any more."), std::string::npos) << lines[0];
    EXPECT_EQ(err.str(), "ovxctl: the driver left: GetNextEvent refused: 0x0000048F\n");
}

TEST_F(Watch, AnOutputThatCannotBeWrittenEndsWithThree)
{
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunWatch({}, [&] { sim.UnplugDevice(sim.Bus().devices[0].id); }), 3);
    EXPECT_EQ(err.str(), "ovxctl: the output could not be written\n");
}
