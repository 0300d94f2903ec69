// The simulator's scenario language: any text either reads or is refused with the
// line that stopped it, and a scenario that reads gives a driver the panel's model
// can be built from.
#include <cstdlib>
#include <sstream>
#include <string>

#include "driver/Drv.h"
#include "sim/SimDriver.h"
#include "sim/SimScenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    SimScenario scenario;
    std::string error;
    if (!ParseSimScenario(in, scenario, error)) {
        if (error.rfind("line ", 0) != 0)
            std::abort();
        return 0;
    }
    // A slow answer is a scenario's right, but it would only slow the search.
    for (SimScenarioFault& fault : scenario.faults)
        fault.delay = std::chrono::milliseconds(0);

    CSimDriver driver(scenario.bus);
    driver.SetEventSignaller([](uint32_t) {});
    ApplySimFaults(scenario, driver);
    CScopedSimDriver installed(driver);
    CDrv drv;
    if (drv.Open(kOvxDeviceName) == DRV_OK) {
        drv.RefreshDevices();
        drv.RefreshSyncModes();
        drv.RefreshChannels(drv.m_inputChannels, false);
        drv.RefreshChannels(drv.m_outputChannels, true);
        if (drv.m_devices.GetSize() > static_cast<int>(kMaxDevices) ||
            drv.m_inputChannels.GetSize() > static_cast<int>(kMaxChannels))
            std::abort();
        drv.ApplyDevices();
        drv.ApplySyncModes();
    }
    drv.Close();
    return 0;
}
