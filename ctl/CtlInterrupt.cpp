#include "ctl/CtlInterrupt.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD type)
{
    // The console's close, logoff and shutdown keep their default: the system ends the
    // process once a handler returns, whatever it answers.
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE;
    CCtlInterrupt::Signal();
    return TRUE;
}
#endif

}  // namespace

CCtlInterrupt::CCtlInterrupt()
{
    OsSync::ResetEvent(Event());
#ifdef _WIN32
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#endif
}

CCtlInterrupt::~CCtlInterrupt()
{
#ifdef _WIN32
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
#endif
}

OsSync::EventHandle CCtlInterrupt::Event()
{
    // Made before the handler is first installed, so the handler never races its creation.
    static const OsSync::CEvent event(OsSync::CreateAutoResetEvent());
    return event.Get();
}

void CCtlInterrupt::Signal()
{
    OsSync::SignalEvent(Event());
}
