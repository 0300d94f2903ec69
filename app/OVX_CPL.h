// The application object: command line, single instance, and the window set of one
// empty document, its frame and the control panel view.
#pragma once
#include <windows.h>
#include "ui/Handles.h"
#include "ui/WinApp.h"

class COVX_CPLApp : public CWinApp {
public:
    static constexpr char kInstanceMutexName[] = "b15657be-162e-4b7b-9ff7-31a4a39cc091";
    // The command line the system restarts the panel with after an install: in the tray.
    static constexpr wchar_t kRestartArguments[] = L"-hide";

    COVX_CPLApp() = default;

    BOOL InitInstance() override;
    bool OnCommand(UINT id) override;
    void OnAppAbout();

    bool m_bShowSettingsPage = false;   // "-asio": the Settings page comes first
    bool m_bQuiet = false;              // "-quiet": the tray shows no balloons
    CKernelHandle m_instanceMutex;      // owned from creation: a later start sees it exists
    HICON m_hTrayIcon = nullptr;        // shared resource icon; the system frees it

protected:
    // Runs only in the start that becomes the panel, before its windows exist; false
    // ends the start. A program built on the panel adds its own set-up here.
    virtual bool OnFirstInstance() { return true; }

private:
    // The running panel, found by its caption; posts the requests of a later start.
    static void PostExitToRunningPanel();
    void BringRunningPanelForward() const;
};

// The one application object of the running program.
COVX_CPLApp* ThePanelApp();
