// The panel on the simulated driver as a process of its own, for tests that start it
// the way a user or the shell does.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

inline constexpr char kPanelCaption[] = "Tormalin Zemra 1394 Driver Control Panel";

// OVX_CPL_Sim.exe beside the test's own build tree.
std::string SimPanelPath();

// Checks a condition until it holds or patienceMs pass; only a failing test waits long.
bool Eventually(const std::function<bool()>& done, DWORD patienceMs = 15000);

class CPanelProcess {
public:
    // Starts the panel with these arguments; it inherits the test's environment.
    explicit CPanelProcess(const std::string& arguments);
    // A process still running then is ended with code 99.
    ~CPanelProcess();
    CPanelProcess(const CPanelProcess&) = delete;
    CPanelProcess& operator=(const CPanelProcess&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    // The exit code once the process ended within waitMs, or -1 if it still runs.
    long ExitCode(DWORD waitMs = 15000) const;

private:
    PROCESS_INFORMATION m_info{};
};

// The running panel's main window, found by its caption as a later start finds it.
HWND RunningPanel();
