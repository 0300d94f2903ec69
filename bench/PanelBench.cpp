// The panel's figures against their floors, all measured in this one run under Wine:
// ./ovx bench. Each timed figure is the median of several runs.
//
//   ovx_panel_bench.exe PANEL_EXE BARE_EXE [IDLE_SECONDS]
#include <windows.h>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "bench/ListRowsFloor.h"
#include "bench/ProcessProbe.h"
#include "bench/RestoreBench.h"
#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "history/EventHistory.h"
#include "pages/DlgPgASIOSettings.h"
#include "pages/DlgPgChannels.h"
#include "pages/DlgPgDevices.h"
#include "pages/DlgPgStreams.h"
#include "pages/DlgPgSynchronisation.h"
#include "res/resource.h"
#include "tests/harness/PanelHarness.h"

// Every allocation of the bench's process, counted, so that a structure's heap can be
// measured as the bytes it holds.
std::atomic<int64_t> g_liveBytes{0};

namespace {

constexpr int kRuns = 41;
constexpr int kStartRuns = 9;

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

// The median time of a page's refresh, and the requests of one, by name.
template <typename Refresh>
std::string PageFigures(CPanelHarness& panel, Refresh refresh)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        panel.sim.ClearTrace();
        const auto start = std::chrono::steady_clock::now();
        refresh();
        runs.push_back(Milliseconds(start));
    }
    std::map<std::string, int> requests;
    for (const SimTraceEntry& entry : panel.sim.Trace()) {
        const OvxIoctl::Request* request = OvxIoctl::FindRequest(entry.code);
        ++requests[request ? request->name : "?"];
    }
    char time[32];
    std::snprintf(time, sizeof time, "%.2f ms", Median(runs));
    std::string text = time;
    for (const auto& [name, count] : requests)
        text += ", " + std::to_string(count) + " " + name;
    return text;
}

// Where a full refresh spends its time: each page's own refresh, in the view's order.
void PrintRefreshByPage(CPanelHarness& panel)
{
    COVX_CPLView& view = *panel.View();
    auto& devices = static_cast<CDlgPgDevices&>(*view.PageOf(PAGE_DEVICES));
    auto& inputs = static_cast<CDlgPgChannels&>(*view.PageOf(PAGE_INPUT_CHANNELS));
    auto& outputs = static_cast<CDlgPgChannels&>(*view.PageOf(PAGE_OUTPUT_CHANNELS));
    auto& settings = static_cast<CDlgPgASIOSettings&>(*view.PageOf(PAGE_SETTINGS));
    std::printf("a full refresh by page:\n");
    std::printf("  devices          %s\n", PageFigures(panel, [&] { devices.RefreshDeviceList(); }).c_str());
    std::printf("  input channels   %s\n", PageFigures(panel, [&] { inputs.RefreshChannelList(); }).c_str());
    std::printf("  output channels  %s\n", PageFigures(panel, [&] { outputs.RefreshChannelList(); }).c_str());
    std::printf("  streams          %s\n", PageFigures(panel, [&] { view.StreamsPage().Refresh(); }).c_str());
    std::printf("  settings         %s\n", PageFigures(panel, [&] { settings.Refresh(); }).c_str());
    std::printf("  synchronisation  %s\n",
                PageFigures(panel, [&] { view.SynchronisationPage().Refresh(); }).c_str());
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
    panel.sim.ClearTrace();
    TimedRefresh(panel);   // the first one after start-up, and the requests of one
    const std::vector<SimTraceEntry> trace = panel.sim.Trace();
    CListRowsFloor rows;
    if (withFloorAndEvent) {
        rows.CaptureFrom(panel.FrameWindow());
        figures.requests = trace.size();
        figures.rows = rows.Rows();
    }
    // The refresh, its floor's rows and the refresh after a driver event in turns, so
    // that all three meet the same conditions of a shared machine. The event goes
    // through the notifier's thread to the last page refreshed: the drain's closing
    // GetNextEvent, which finds nothing more, comes after the refresh.
    std::vector<double> runs;
    std::vector<double> insertRuns;
    std::vector<double> eventRuns;
    for (int run = 0; run < kRuns; ++run) {
        panel.sim.ClearTrace();
        runs.push_back(TimedRefresh(panel));
        if (!withFloorAndEvent)
            continue;
        insertRuns.push_back(rows.InsertAll());
        panel.Pump();
        panel.sim.ClearTrace();
        const auto start = std::chrono::steady_clock::now();
        panel.sim.RaiseEvent(EvtType_DomainConfigurationChanged);
        panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetNextEvent) >= 2; });
        eventRuns.push_back(Milliseconds(start));
    }
    figures.refresh = Median(runs);
    if (!withFloorAndEvent)
        return figures;
    figures.floor = ReplayRequests(bus, trace) + Median(insertRuns);
    figures.event = Median(eventRuns);
    PrintRefreshByPage(panel);
    return figures;
}

struct HiddenFigures {
    int wakeUps = 0;
    size_t requests = 0;
};

// Times a hidden panel's GUI thread wakes over the given time, and the requests it
// makes meanwhile: while the driver streams it watches the drop-outs, otherwise nothing.
HiddenFigures HiddenPanel(int seconds, bool streaming)
{
    SimBus bus = DefaultBus();
    bus.streaming = streaming;
    CPanelHarness panel(bus);
    if (!panel.Start("-hide"))
        return {-1, 0};
    panel.PumpUntil([] { return false; }, 500);   // let start-up settle
    panel.sim.ClearTrace();
    HiddenFigures figures;
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            ++figures.wakeUps;
            panel.Pump();
        }
    }
    figures.requests = panel.sim.Trace().size();
    return figures;
}

// The event history's memory when full: a thousand entries with the longest texts it
// keeps, after a storm of three thousand; the bytes it holds on the heap, counted by the
// bench's own operator new.
double HistoryKibibytes()
{
    const int64_t before = g_liveBytes.load();
    auto history = std::make_unique<CEventHistory>();
    HistoryEntry entry;
    entry.kind = HistoryKind::DeviceConnected;
    entry.device = entry.serial = entry.detail = std::string(CEventHistory::kLongestText, 'x');
    for (size_t i = 0; i < CEventHistory::kCapacity * 3; ++i)
        history->Add(entry);
    const int64_t held = g_liveBytes.load() - before - static_cast<int64_t>(3 * entry.device.capacity() + 3);
    return static_cast<double>(held) / 1024.0;
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

struct StartFigures {
    double panel = 0;
    double bare = 0;
    double panelPeak = 0;
    double barePeak = 0;
};

// The panel and the bare program started in turns, so that both meet the same
// conditions of a shared machine: median start-up times and the last peak working sets.
StartFigures MedianStarts(const std::string& panelExe, const std::string& bareExe, const char* const* environment)
{
    const char* caption = "Tormalin Zemra 1394 Driver Control Panel";
    const char* bareCaption = "OVX bare window";
    const char* noEnvironment[] = {nullptr};
    StartFigures figures;
    std::vector<double> panelRuns;
    std::vector<double> bareRuns;
    for (int run = 0; run < kStartRuns; ++run) {
        const ProcessFigures panel =
            ProbeProcess("\"" + panelExe + "\"", caption, environment, WM_COMMAND, ID_TRAY_QUIT);
        const ProcessFigures bare = ProbeProcess("\"" + bareExe + "\"", bareCaption, noEnvironment, WM_CLOSE, 0);
        if (panel.ok) {
            panelRuns.push_back(panel.startMilliseconds);
            figures.panelPeak = panel.peakWorkingSetMiB;
        }
        if (bare.ok) {
            bareRuns.push_back(bare.startMilliseconds);
            figures.barePeak = bare.peakWorkingSetMiB;
        }
    }
    figures.panel = Median(panelRuns);
    figures.bare = Median(bareRuns);
    return figures;
}

}  // namespace

void* operator new(size_t size)
{
    // The size goes in front of the block, so that delete knows what it frees.
    auto* block = static_cast<size_t*>(::HeapAlloc(::GetProcessHeap(), 0, size + sizeof(std::max_align_t)));
    if (!block)
        throw std::bad_alloc();
    *block = size;
    g_liveBytes += static_cast<int64_t>(size);
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept
{
    if (!pointer)
        return;
    auto* block = reinterpret_cast<size_t*>(static_cast<char*>(pointer) - sizeof(std::max_align_t));
    g_liveBytes -= static_cast<int64_t>(*block);
    ::HeapFree(::GetProcessHeap(), 0, block);
}

void operator delete(void* pointer, size_t) noexcept
{
    operator delete(pointer);
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ovx_panel_bench PANEL_EXE BARE_EXE [IDLE_SECONDS]\n");
        return 2;
    }
    const std::string panelExe = argv[1];
    const std::string bareExe = argv[2];
    const int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    const RefreshFigures limits = MeasureRefresh(64, true);
    const RefreshFigures small = MeasureRefresh(8, false);
    std::printf("full refresh at the limits: %zu requests, %zu list rows\n", limits.requests, limits.rows);

    const char* noEnvironment[] = {nullptr};
    const StartFigures start = MedianStarts(panelExe, bareExe, noEnvironment);
    const std::string scenario = "OVX_SIM_SCENARIO=" + LimitsScenario();
    const char* limitsEnvironment[] = {scenario.c_str(), nullptr};
    const StartFigures atLimits = MedianStarts(panelExe, bareExe, limitsEnvironment);

    const RestoreFigures restore = MeasureRestore(BusOf(64));
    std::printf("restore at the limits: unchanged %zu requests (%zu writes); every name changed %zu writes for %zu "
                "records in %.2f ms\n",
                restore.unchangedRequests, restore.unchangedWrites, restore.renamedWrites, restore.renamedRecords,
                restore.renamedMs);

    const double settingsRate = SettingsRequestsPerSecond();
    const HiddenFigures idle = HiddenPanel(idleSeconds, false);
    const HiddenFigures streaming = HiddenPanel(idleSeconds, true);
    const double historyKib = HistoryKibibytes();

    using Goal = CBenchTable::Goal;
    CBenchTable table(kRuns, kStartRuns);
    table.Add("refresh_limits", "full refresh, 64 devices, 256 + 256 channels", "ms", limits.refresh, limits.floor,
              Goal::RatioAtMost, 1.25);
    table.Add("growth", "growth from 8 devices, 32 + 32 channels (floor: linear)", "x",
              small.refresh > 0 ? limits.refresh / small.refresh : 0, 8, Goal::AtMost, 9);
    table.Add("event_refresh", "driver event (kind 3) to every page refreshed", "ms", limits.event, limits.refresh,
              Goal::ExcessAtMost, 1.0);
    table.Add("startup", "start-up to the window shown, pages filled (default bus)", "ms", start.panel, start.bare,
              Goal::RatioAtMost, 1.5);
    table.Add("idle_wakeups", "wake-ups of a hidden, idle panel in " + std::to_string(idleSeconds) + " s", "",
              idle.wakeUps, 0, Goal::AtMost, 0);
    // The drop-out watch: one reading every five seconds while the driver streams.
    const double perMinute = 60.0 / idleSeconds;
    table.Add("streaming_wakeups", "wake-ups of a hidden, streaming panel per 60 s", "", streaming.wakeUps * perMinute,
              12, Goal::AtMost, 12);
    table.Add("streaming_requests", "driver requests of a hidden, streaming panel per 60 s", "",
              static_cast<double>(streaming.requests) * perMinute, 12, Goal::AtMost, 12);
    table.Add("history_memory", "event history full (1,000 entries, longest texts, a storm of 3,000)", "KiB",
              historyKib, 1024, Goal::AtMost, 1024);
    table.Add("settings_requests", "driver requests per second, Settings page shown", "/s", settingsRate, 1,
              Goal::AtMost, 1);
    table.Add("peak_working_set", "peak working set at the limits", "MiB", atLimits.panelPeak, atLimits.barePeak,
              Goal::ExcessAtMost, 4.0);
    table.Add("restore_unchanged", "restore of an unchanged snapshot at the limits: requests (floor: its reads)", "",
              static_cast<double>(restore.unchangedRequests), static_cast<double>(restore.reads), Goal::RatioAtMost,
              1.0);
    table.Add("restore_renamed", "restore renaming every device and channel: writes (floor: records changed)", "",
              static_cast<double>(restore.renamedWrites), static_cast<double>(restore.renamedRecords),
              Goal::RatioAtMost, 1.0);
    table.Print();
    return 0;
}
