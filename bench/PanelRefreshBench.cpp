// How long the panel's full refresh (every page reloading from the driver and
// rebuilding its rows) takes at the record limits: 64 devices, 256 input and 256
// output channels, on the simulated driver. Runs under Wine: ./ovx bench
#include <windows.h>
#include <chrono>
#include <cstdio>

#include "tests/PanelHarness.h"

namespace {

SimBus BusAtTheLimits()
{
    SimBus bus = EmptyBus();
    for (int i = 0; i < 64; ++i)
        AddStandardDevice(bus, "Unit " + std::to_string(i), "SN-" + std::to_string(i), 4, 4);
    bus.streaming = true;
    return bus;
}

}  // namespace

int main()
{
    CPanelHarness panel(BusAtTheLimits());
    if (!panel.Start("-hide")) {
        std::printf("the panel did not start\n");
        return 1;
    }
    constexpr int kRounds = 20;
    size_t requests = 0;
    double total = 0;
    for (int round = 0; round < kRounds; ++round) {
        panel.sim.ClearTrace();
        const auto start = std::chrono::steady_clock::now();
        panel.View()->RefreshAllPages();
        total += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        requests = panel.sim.Trace().size();
    }
    std::printf("full panel refresh at the limits (64 devices, 256 inputs, 256 outputs)\n");
    std::printf("  %zu requests, %.1f ms per refresh (%.1f us per request, simulator and list rows included)\n",
                requests, total / kRounds, total * 1000 / kRounds / static_cast<double>(requests));
    return 0;
}
