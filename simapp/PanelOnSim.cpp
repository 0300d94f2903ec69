// The control panel on the simulated driver, for demonstrations and for the tests
// that start the panel as a process of its own. Everything but the device I/O and the
// simulated bus window is the production program.
//
// OVX_SIM_SCENARIO  a file of statements run at start (see the README's table)
// OVX_SIM_TRACE     a file the simulated driver appends one line per request to
// OVX_SIM_WINDOW    "hidden": the bus window stays hidden but takes statements
#include <windows.h>

#include "simapp/SimPanelApp.h"

CSimPanelApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    const int exitCode = AfxWinMain(instance, commandLine, showCommand);
    return theApp.ScenarioRefused() ? 1 : exitCode;
}
