#include "simapp/SimPanelApp.h"

#include <cstdlib>
#include <string>

#include "sim/SimStatementFile.h"
#include "sim/SimTraceLine.h"
#include "res/resource.h"

namespace {

HWND PanelView()
{
    CWnd* frame = AfxGetMainWnd();
    return frame && frame->m_hWnd ? ::GetDlgItem(frame->m_hWnd, AFX_IDW_PANE_FIRST) : nullptr;
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

bool CSimPanelApp::RunScenario()
{
    const std::string path = Environment("OVX_SIM_SCENARIO");
    if (path.empty())
        return true;
    const std::string error = RunSimStatementFile(*m_console, path);
    if (error.empty())
        return true;
    const std::string text = "The scenario " + path + ": " + error;
    ::MessageBoxA(nullptr, text.c_str(), "OVX_CPL", MB_OK | MB_ICONSTOP);
    return false;
}

bool CSimPanelApp::OnFirstInstance()
{
    m_driver = std::make_unique<CSimDriver>(DefaultBus());
    m_console = std::make_unique<CSimConsole>(*m_driver);
    if (!RunScenario()) {
        m_bScenarioRefused = true;
        return false;
    }
    // The window and the trace file take every request; a copy kept in the driver
    // would only grow.
    m_driver->SetTraceKept(false);
    if (const std::string path = Environment("OVX_SIM_TRACE"); !path.empty())
        m_traceFile.reset(std::fopen(path.c_str(), "a"));

    m_window = std::make_unique<CSimBusWindow>(*m_driver, *m_console, Environment("OVX_SIM_WINDOW") != "hidden");
    if (!m_window->Create())
        return false;
    m_driver->SetTraceListener([this](const SimTraceEntry& entry) {
        if (m_traceFile) {
            std::fprintf(m_traceFile.get(), "%s\n", FormatTraceLine(entry).c_str());
            std::fflush(m_traceFile.get());
        }
        m_window->QueueTrace(entry);
    });
    m_installed = std::make_unique<CScopedSimDriver>(*m_driver);
    m_broadcast = std::make_unique<CSimInterfaceBroadcast>(*m_driver, PanelView);
    return true;
}

int CSimPanelApp::ExitInstance()
{
    // The panel's windows close their connections while the driver is still installed.
    const int code = COVX_CPLApp::ExitInstance();
    if (m_driver)
        m_driver->SetTraceListener(nullptr);
    m_window.reset();
    m_broadcast.reset();
    m_installed.reset();
    m_console.reset();
    m_driver.reset();
    return code;
}
