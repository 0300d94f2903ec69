#include "tests/harness/PanelProcess.h"

std::string SimPanelPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path);
    dir.resize(dir.find_last_of("\\/") + 1);
    return dir + "..\\simapp\\" OVX_SIM_PANEL_EXE;
}

bool Eventually(const std::function<bool()>& done, DWORD patienceMs)
{
    for (DWORD waited = 0; waited < patienceMs; waited += 20) {
        if (done())
            return true;
        ::Sleep(20);
    }
    return done();
}

CPanelProcess::CPanelProcess(const std::string& arguments)
{
    std::string commandLine = "\"" + SimPanelPath() + "\" " + arguments;
    STARTUPINFOA startup{sizeof startup};
    // Under Wine on a loaded machine a start among many at once has been seen to fail
    // outright; that is not what a test of the panel asks about, so it is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &m_info)) {
            ::CloseHandle(m_info.hThread);
            return;
        }
        m_info = {};
        ::Sleep(100);
    }
}

CPanelProcess::~CPanelProcess()
{
    if (!m_info.hProcess)
        return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_info.hProcess, 99);
        ::WaitForSingleObject(m_info.hProcess, 15000);
    }
    ::CloseHandle(m_info.hProcess);
}

long CPanelProcess::ExitCode(DWORD waitMs) const
{
    if (!m_info.hProcess || ::WaitForSingleObject(m_info.hProcess, waitMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
}

HWND RunningPanel()
{
    return ::FindWindowA(nullptr, kPanelCaption);
}
