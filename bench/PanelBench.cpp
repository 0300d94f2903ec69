// The panel's figures against their floors, all measured in this one run under Wine:
// ./ovx bench. Each timed figure is the median of several runs.
//
//   ovx_panel_bench.exe PANEL_EXE BARE_EXE [IDLE_SECONDS]
#include <windows.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ListRowsFloor.h"
#include "bench/ProcessProbe.h"
#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "res/resource.h"
#include "tests/PanelHarness.h"

namespace {

constexpr int kRuns = 7;
constexpr int kStartRuns = 5;

SimBus BusOf(int devices)
{
    SimBus bus = EmptyBus();
    for (int i = 0; i < devices; ++i)
        AddStandardDevice(bus, "Unit " + std::to_string(i), "SN-" + std::to_string(i), 4, 4);
    bus.streaming = true;
    return bus;
}

double Milliseconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double TimedRefresh(CPanelHarness& panel)
{
    const auto start = std::chrono::steady_clock::now();
    panel.View()->RefreshAllPages();
    return Milliseconds(start);
}

// The same requests, with the same inputs and answer sizes, sent to a simulated
// driver of the same bus through the same connection, with no panel above it.
double ReplayRequests(const SimBus& bus, const std::vector<SimTraceEntry>& trace)
{
    CSimDriver sim(bus);
    CScopedSimDriver installed(sim);
    COvx1394Driver connection;
    if (connection.Open(kOvxDeviceName) != DRV_OK)
        return 0;
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        sim.ClearTrace();
        const auto start = std::chrono::steady_clock::now();
        for (const SimTraceEntry& entry : trace) {
            const OvxIoctl::Request* request = OvxIoctl::FindRequest(entry.code);
            alignas(8) uint8_t answer[sizeof(_CHANNEL_ID_LISTS)];
            connection.Control(entry.code, entry.input.empty() ? nullptr : entry.input.data(),
                               static_cast<uint32_t>(entry.input.size()), request ? answer : nullptr,
                               request ? request->outSize : 0, nullptr);
        }
        runs.push_back(Milliseconds(start));
    }
    return Median(runs);
}

struct RefreshFigures {
    double refresh = 0;
    double floor = 0;
    double event = 0;
    size_t requests = 0;
    size_t rows = 0;
};

RefreshFigures MeasureRefresh(int devices, bool withFloorAndEvent)
{
    RefreshFigures figures;
    const SimBus bus = BusOf(devices);
    CPanelHarness panel(bus);
    if (!panel.Start("-hide"))
        return figures;
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        panel.sim.ClearTrace();
        runs.push_back(TimedRefresh(panel));
    }
    figures.refresh = Median(runs);
    if (!withFloorAndEvent)
        return figures;

    const std::vector<SimTraceEntry> trace = panel.sim.Trace();
    figures.requests = trace.size();
    CListRowsFloor rows;
    rows.CaptureFrom(panel.FrameWindow());
    figures.rows = rows.Rows();
    std::vector<double> insertRuns;
    for (int run = 0; run < kRuns; ++run)
        insertRuns.push_back(rows.InsertAll());
    figures.floor = ReplayRequests(bus, trace) + Median(insertRuns);

    // A driver event through the notifier's thread to the last page refreshed: the
    // drain's closing GetNextEvent, which finds nothing more, comes after the refresh.
    std::vector<double> eventRuns;
    for (int run = 0; run < kRuns; ++run) {
        panel.Pump();
        panel.sim.ClearTrace();
        const auto start = std::chrono::steady_clock::now();
        panel.sim.RaiseEvent(EvtType_DomainConfigurationChanged);
        panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetNextEvent) >= 2; });
        eventRuns.push_back(Milliseconds(start));
    }
    figures.event = Median(eventRuns);
    return figures;
}

// Times a hidden, idle panel's GUI thread wakes over the given time.
int IdleWakeUps(int seconds)
{
    CPanelHarness panel;
    if (!panel.Start("-hide"))
        return -1;
    panel.PumpUntil([] { return false; }, 500);   // let start-up settle
    int wakeUps = 0;
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            ++wakeUps;
            panel.Pump();
        }
    }
    return wakeUps;
}

// Driver requests per second while the Settings page is shown.
double SettingsRequestsPerSecond()
{
    CPanelHarness panel;
    if (!panel.Start("-asio"))
        return -1;
    panel.sim.ClearTrace();
    panel.PumpUntil([&] { return !panel.sim.Trace().empty(); }, 3000);   // a tick of the page's timer
    panel.PumpUntil([] { return false; }, 500);
    panel.sim.ClearTrace();
    constexpr int kSeconds = 10;
    panel.PumpUntil([] { return false; }, kSeconds * 1000);
    return static_cast<double>(panel.sim.Trace().size()) / kSeconds;
}

std::string LimitsScenario()
{
    char directory[MAX_PATH];
    ::GetTempPathA(sizeof directory, directory);
    const std::string path = std::string(directory) + "ovx-bench-limits.txt";
    std::ofstream file(path);
    file << "bus empty\n";
    for (int i = 0; i < 64; ++i)
        file << "device \"Unit " << i << "\" \"SN-" << i << "\" 4 4\n";
    return path;
}

double MedianStart(const std::string& commandLine, const std::string& caption, const char* const* environment,
                   UINT endMessage, WPARAM endWParam, double* peak)
{
    std::vector<double> runs;
    for (int run = 0; run < kStartRuns; ++run) {
        const ProcessFigures figures = ProbeProcess(commandLine, caption, environment, endMessage, endWParam);
        if (figures.ok)
            runs.push_back(figures.startMilliseconds);
        if (peak && figures.ok)
            *peak = figures.peakWorkingSetMiB;
    }
    return Median(runs);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ovx_panel_bench PANEL_EXE BARE_EXE [IDLE_SECONDS]\n");
        return 2;
    }
    const std::string panelExe = argv[1];
    const std::string bareExe = argv[2];
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    const char* caption = "Tormalin Zemra 1394 Driver Control Panel";
    const char* bareCaption = "OVX bare window";

    const RefreshFigures limits = MeasureRefresh(64, true);
    const RefreshFigures small = MeasureRefresh(8, false);
    std::printf("full refresh at the limits: %zu requests, %zu list rows\n", limits.requests, limits.rows);

    const char* noEnvironment[] = {nullptr};
    double panelStart = MedianStart("\"" + panelExe + "\"", caption, noEnvironment, WM_COMMAND, ID_TRAY_QUIT, nullptr);
    double bareStart = MedianStart("\"" + bareExe + "\"", bareCaption, noEnvironment, WM_CLOSE, 0, nullptr);

    const std::string scenario = "OVX_SIM_SCENARIO=" + LimitsScenario();
    const char* limitsEnvironment[] = {scenario.c_str(), nullptr};
    double panelPeak = 0;
    double barePeak = 0;
    MedianStart("\"" + panelExe + "\"", caption, limitsEnvironment, WM_COMMAND, ID_TRAY_QUIT, &panelPeak);
    MedianStart("\"" + bareExe + "\"", bareCaption, noEnvironment, WM_CLOSE, 0, &barePeak);

    const double settingsRate = SettingsRequestsPerSecond();
    const int wakeUps = IdleWakeUps(idleSeconds);

    using Goal = CBenchTable::Goal;
    CBenchTable table(kRuns);
    table.Add("refresh_limits", "full refresh, 64 devices, 256 + 256 channels", "ms", limits.refresh, limits.floor,
              Goal::RatioAtMost, 1.25);
    table.Add("growth", "growth from 8 devices, 32 + 32 channels (floor: linear)", "x",
              small.refresh > 0 ? limits.refresh / small.refresh : 0, 8, Goal::AtMost, 9);
    table.Add("event_refresh", "driver event (kind 3) to every page refreshed", "ms", limits.event, limits.refresh,
              Goal::ExcessAtMost, 1.0);
    table.Add("startup", "start-up to the window shown, pages filled (default bus)", "ms", panelStart, bareStart,
              Goal::RatioAtMost, 1.5);
    table.Add("idle_wakeups", "wake-ups of a hidden, idle panel in " + std::to_string(idleSeconds) + " s", "",
              wakeUps, 0, Goal::AtMost, 0);
    table.Add("settings_requests", "driver requests per second, Settings page shown", "/s", settingsRate, 1,
              Goal::AtMost, 1);
    table.Add("peak_working_set", "peak working set at the limits", "MiB", panelPeak, barePeak, Goal::ExcessAtMost,
              4.0);
    table.Print();
    return 0;
}
