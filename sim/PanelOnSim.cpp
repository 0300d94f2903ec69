// The control panel on the simulated driver, for demonstrations and for the tests
// that start the panel as a process of its own. Everything but the device I/O is the
// production program.
//
// OVX_SIM_SCENARIO  a scenario file describing the simulated bus (see SimScenario.h)
// OVX_SIM_TRACE     a file the simulated driver appends one line per request to
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "app/OVX_CPL.h"
#include "res/resource.h"
#include "sim/SimDriver.h"
#include "sim/SimInterfaceBroadcast.h"
#include "sim/SimScenario.h"
#include "sim/SimTraceLine.h"

COVX_CPLApp theApp;

namespace {

HWND PanelView()
{
    CWnd* frame = AfxGetMainWnd();
    return frame && frame->m_hWnd ? ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST) : nullptr;
}

bool LoadScenario(SimScenario& scenario)
{
    const char* path = std::getenv("OVX_SIM_SCENARIO");
    if (!path || !*path)
        return true;
    std::ifstream file(path);
    std::string error = "cannot be read";
    if (file && ParseSimScenario(file, scenario, error))
        return true;
    const std::string text = std::string("The scenario ") + path + ": " + error;
    ::MessageBoxA(nullptr, text.c_str(), "OVX_CPL", MB_OK | MB_ICONSTOP);
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    SimScenario scenario;
    if (!LoadScenario(scenario))
        return 1;
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
    CSimInterfaceBroadcast broadcast(driver, PanelView);
    const int exitCode = AfxWinMain(instance, commandLine, showCommand);
    driver.SetTraceListener(nullptr);
    return exitCode;
}
