// The panel's application object on the simulated driver: in the start that becomes
// the panel it reads the scenario, installs the driver and opens the bus window.
// A start that forwards to a running panel or asks it to exit does none of it.
#pragma once
#include <windows.h>
#include <cstdio>
#include <memory>

#include "app/OVX_CPL.h"
#include "simapp/SimBusWindow.h"
#include "sim/SimConsole.h"
#include "sim/SimDriver.h"
#include "sim/SimInterfaceBroadcast.h"

class CSimPanelApp : public COVX_CPLApp {
public:
    int ExitInstance() override;

    bool ScenarioRefused() const { return m_bScenarioRefused; }

protected:
    bool OnFirstInstance() override;

private:
    bool RunScenario();

    struct FileCloser {
        void operator()(FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<CSimDriver> m_driver;
    std::unique_ptr<CSimConsole> m_console;
    std::unique_ptr<CScopedSimDriver> m_installed;
    std::unique_ptr<CSimInterfaceBroadcast> m_broadcast;
    std::unique_ptr<CSimBusWindow> m_window;
    std::unique_ptr<FILE, FileCloser> m_traceFile;
    bool m_bScenarioRefused = false;
};
