// The panel whose start-up and working set the bench measures: the production program
// with the simulated driver in place of the device and nothing more (no bus window, no
// trace), linked stripped as it is shipped.
//
// OVX_SIM_SCENARIO  a file of statements run at start, as for OVX_CPL_Sim.exe
#include <windows.h>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/OVX_CPL.h"
#include "sim/SimConsole.h"
#include "sim/SimDriver.h"
#include "sim/SimStatementFile.h"

namespace {

class CBenchPanelApp : public COVX_CPLApp {
protected:
    bool OnFirstInstance() override
    {
        m_driver = std::make_unique<CSimDriver>(DefaultBus());
        m_driver->SetTraceKept(false);
        if (const char* path = std::getenv("OVX_SIM_SCENARIO")) {
            CSimConsole console(*m_driver);
            if (!RunSimStatementFile(console, path).empty())
                return false;
        }
        m_installed = std::make_unique<CScopedSimDriver>(*m_driver);
        return true;
    }

public:
    int ExitInstance() override
    {
        const int code = COVX_CPLApp::ExitInstance();
        m_installed.reset();
        return code;
    }

private:
    std::unique_ptr<CSimDriver> m_driver;
    std::unique_ptr<CScopedSimDriver> m_installed;
};

CBenchPanelApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, commandLine, showCommand);
}
