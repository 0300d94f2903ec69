// How long a full refresh of the device model takes at the record limits (64 devices,
// 256 input and 256 output channels) on the simulated driver, and how many requests
// it sends. Build with the bench preset (optimised, no sanitizers): ./ovx bench
#include <chrono>
#include <cstdio>

#include "driver/Drv.h"
#include "sim/SimDriver.h"

namespace {

SimBus BusAtTheLimits()
{
    SimBus bus = EmptyBus();
    for (int i = 0; i < 64; ++i)
        AddStandardDevice(bus, "Unit " + std::to_string(i), "SN-" + std::to_string(i), 4, 4);
    return bus;
}

}  // namespace

int main()
{
    CSimDriver sim(BusAtTheLimits());
    CScopedSimDriver installed(sim);
    CDrv drv;
    if (drv.Open(kOvxDeviceName) != DRV_OK) {
        std::printf("cannot open the simulated driver\n");
        return 1;
    }

    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        drv.RefreshDevices();
        drv.RefreshSyncModes();
        drv.RefreshChannels(drv.m_inputChannels, false);
        drv.RefreshChannels(drv.m_outputChannels, true);
        if (round == 0)
            sim.ClearTrace();   // keep the trace from growing without bound
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double perRefresh =
        std::chrono::duration<double, std::micro>(elapsed).count() / kRounds;
    const size_t requests = sim.Trace().size() / (kRounds - 1);

    std::printf("full model refresh at the limits: %d devices, %d inputs, %d outputs\n",
                drv.m_devices.GetSize(), drv.m_inputChannels.GetSize(), drv.m_outputChannels.GetSize());
    std::printf("  %zu requests, %.1f us per refresh (%.2f us per request, simulator included)\n",
                requests, perRefresh, perRefresh / static_cast<double>(requests));
    return 0;
}
