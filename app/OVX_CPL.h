// The application object: command line, single instance, and the window set of one
// empty document, its frame and the control panel view.
#pragma once
#include <windows.h>
#include "history/EventHistory.h"
#include "protocol/RequestJournal.h"
#include "ui/Handles.h"
#include "ui/WinApp.h"

class COVX_CPLApp : public CWinApp {
public:
    static constexpr char kInstanceMutexName[] = "b15657be-162e-4b7b-9ff7-31a4a39cc091";
    // The command line the system restarts the panel with after an install: in the tray.
    static constexpr wchar_t kRestartArguments[] = L"-hide";

    COVX_CPLApp() = default;
    ~COVX_CPLApp() override;

    BOOL InitInstance() override;
    bool OnCommand(UINT id) override;
    void OnAppAbout();

    bool m_bShowSettingsPage = false;   // "-asio": the Settings page comes first
    bool m_bQuiet = false;              // "-quiet": the tray shows no balloons
    CKernelHandle m_instanceMutex;      // owned from creation: a later start sees it exists
    HICON m_hTrayIcon = nullptr;        // shared resource icon; the system frees it

    // What the panel noticed while it ran; kept only as long as it runs.
    const CEventHistory& History() const { return m_history; }
    // Adds an entry and tells the window that shows the history, if one is open.
    void NoteInHistory(HistoryEntry entry);
    void ClearHistory();
    // The window told of each change of the history (WM_APP_HISTORY_CHANGED), or null.
    void SetHistoryWindow(HWND window) { m_hHistoryWindow = window; }
    // What the panel's own connection asked of the driver: its own writes and the failures.
    CRequestJournal& Journal() { return m_journal; }

protected:
    // Runs only in the start that becomes the panel, before its windows exist; false
    // ends the start. A program built on the panel adds its own set-up here.
    virtual bool OnFirstInstance() { return true; }

private:
    CEventHistory m_history;
    CRequestJournal m_journal;
    HWND m_hHistoryWindow = nullptr;

    // The running panel, found by its caption; posts the requests of a later start.
    static void PostExitToRunningPanel();
    void BringRunningPanelForward() const;
};

// The one application object of the running program.
COVX_CPLApp* ThePanelApp();
