// ovxctl: the driver's settings from the command line, on the panel's driver layer.
// With --sim it runs on the simulated driver instead of the real control device.
//
// OVX_SIM_TRACE  with --sim, a file the simulated driver appends one line per request to
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "ctl/CtlCommand.h"
#include "ctl/CtlOutcome.h"
#include "driver/Drv.h"
#include "sim/SimDriver.h"
#include "sim/SimScenario.h"
#include "sim/SimTraceLine.h"

namespace {

int RunOnSim(const std::string& scenarioPath, const std::vector<std::string>& args)
{
    SimScenario scenario;
    if (!scenarioPath.empty()) {
        std::ifstream file(scenarioPath);
        std::string error = "cannot be read";
        if (!file || !ParseSimScenario(file, scenario, error)) {
            std::cerr << "ovxctl: the scenario " << scenarioPath << ": " << error << '\n';
            return CtlExit_Usage;
        }
    }
    CSimDriver driver(scenario.bus);
    ApplySimFaults(scenario, driver);

    std::unique_ptr<FILE, int (*)(FILE*)> trace(nullptr, std::fclose);
    if (const char* path = std::getenv("OVX_SIM_TRACE"); path && *path)
        trace.reset(std::fopen(path, "a"));
    if (trace) {
        driver.SetTraceListener([file = trace.get()](const SimTraceEntry& entry) {
            std::fprintf(file, "%s\n", FormatTraceLine(entry).c_str());
            std::fflush(file);
        });
    }
    CScopedSimDriver installed(driver);
    const int exitCode = RunCtlCommand(theDrv, args, std::cout, std::cerr);
    driver.SetTraceListener(nullptr);
    return exitCode;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "--sim")
        return RunCtlCommand(theDrv, args, std::cout, std::cerr);
    args.erase(args.begin());
    std::string scenario;
    if (!args.empty() && args[0].rfind("--", 0) != 0 && !IsCtlCommand(args[0])) {
        scenario = args[0];
        args.erase(args.begin());
    }
    return RunOnSim(scenario, args);
}
