// The control panel on the real driver.
#include <windows.h>
#include "app/OVX_CPL.h"

COVX_CPLApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return AfxWinMain(instance, commandLine, showCommand);
}
