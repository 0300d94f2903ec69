// ovxctl: the driver's settings from the command line, on the panel's driver layer.
// With --sim it runs on a simulated driver of its own instead of the real control device,
// with --sim-bus on the simulated driver of the running OVX_CPL_Sim.exe.
//
// OVX_SIM_TRACE  with --sim, a file the simulated driver appends one line per request to
#include <cstdio>
#include <cstdlib>
#include <exception>
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
#include "simapp/SimRemoteDeviceIo.h"
#include "text/ControlText.h"
#include "text/Utf16.h"

namespace {

// A word as the driver and the file system each take it. The system would hand main()
// its own ANSI conversion with best fit, where a full-width quotation mark becomes '"';
// a character the code page cannot hold is refused instead wherever the word is sent
// to the driver, and a path keeps it.
CtlWord ReadArgument(int index, const wchar_t* argument)
{
    CtlWord word;
    word.path = argument;
    const CodePageText ansi = AnsiFromUtf16(word.path);
    if (ansi.Ok()) {
        word.ansi = ansi.text;
        return word;
    }
    word.ansi = AnsiFromUtf16Replacing(word.path);
    word.refusal = "argument " + std::to_string(index) + " cannot be passed on: " + DescribeCodePageFault(ansi) +
                   "; expected characters of the system's ANSI code page";
    return word;
}

int RunOnSim(const CtlCommandLine& line)
{
    SimScenario scenario;
    if (!line.scenario.path.empty()) {
        std::ifstream file(line.scenario.path.c_str());
        std::string error = "cannot be read";
        if (!file || !ParseSimScenario(file, scenario, error)) {
            std::cerr << "ovxctl: the scenario " << EscapeControlCharacters(line.scenario.ansi) << ": " << error
                      << '\n';
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
    const int exitCode = RunCtlCommandLine(theDrv, line, std::cout, std::cerr);
    driver.SetTraceListener(nullptr);
    return exitCode;
}

// On the bus the running panel shows: what the panel, the bus window and this tool
// change, the others see.
int RunOnSimBus(const CtlCommandLine& line)
{
    CSimRemoteDeviceIo io;
    if (!io.Connect()) {
        std::cerr << "ovxctl: no simulated bus is running (start it with ./ovx run)\n";
        return CtlExit_Usage;
    }
    SetDeviceIo(&io);
    const int exitCode = RunCtlCommandLine(theDrv, line, std::cout, std::cerr);
    SetDeviceIo(nullptr);
    return exitCode;
}

int Run(const CtlCommandLine& line)
{
    if (line.sim && line.simBus) {
        std::cerr << "ovxctl: --sim and --sim-bus are two different buses; give one of them\n";
        return CtlExit_Usage;
    }
    if (line.simBus)
        return RunOnSimBus(line);
    return line.sim ? RunOnSim(line) : RunCtlCommandLine(theDrv, line, std::cout, std::cerr);
}

}  // namespace

// Built with -municode: the C runtime hands wmain the command line as UTF-16.
int wmain(int argc, wchar_t** argv)
{
    // No exception may end the process unreported (abort's exit code 3 would read as
    // an output failure).
    try {
        std::vector<CtlWord> args;
        for (int i = 1; i < argc; ++i)
            args.push_back(ReadArgument(i, argv[i]));
        return Run(ReadCtlCommandLine(std::move(args)));
    } catch (const std::exception& error) {
        std::cerr << "ovxctl: " << error.what() << '\n';
        return CtlExit_Refused;
    }
}
