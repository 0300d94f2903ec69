#include "app/OVX_CPL.h"

#include "app/AboutDlg.h"
#include "app/AppMessages.h"
#include "app/CommandLine.h"
#include "app/MainFrm.h"
#include "app/OVX_CPLDoc.h"
#include "app/OVX_CPLView.h"
#include "driver/Drv.h"
#include "res/resource.h"
#include "ui/DocTemplate.h"
#include "ui/ResourceText.h"

COVX_CPLApp* ThePanelApp()
{
    return static_cast<COVX_CPLApp*>(AfxGetApp());
}

namespace {

HWND FindRunningPanel()
{
    return ::FindWindowA(CMainFrame::kWindowClass, LoadResString(IDS_PANEL_TITLE).c_str());
}

// After an install that closed the panel (the Restart Manager, ENDSESSION_CLOSEAPP) the
// system starts it again with these arguments; the panel reads them as one whole token.
// Not after a crash or a hang: the user starts it then.
void RegisterForRestartAfterInstall()
{
    ::RegisterApplicationRestart(COVX_CPLApp::kRestartArguments, RESTART_NO_CRASH | RESTART_NO_HANG);
}

}  // namespace

void COVX_CPLApp::PostExitToRunningPanel()
{
    if (HWND running = FindRunningPanel())
        ::PostMessageA(running, WM_COMMAND, ID_TRAY_QUIT, 0);
}

void COVX_CPLApp::BringRunningPanelForward() const
{
    HWND running = FindRunningPanel();
    if (!running)
        return;
    // The frame, or a modal dialog that is open over it.
    HWND popup = ::GetLastActivePopup(running);
    if (::IsIconic(running))
        ::ShowWindow(running, SW_RESTORE);
    // Posted, never sent: a busy panel must not hold up this start.
    if (m_bShowSettingsPage)
        ::PostMessageA(running, WM_APP_SHOW_SETTINGS, 0, 0);
    ::ShowWindow(popup, SW_SHOW);
    ::SetForegroundWindow(popup);
}

BOOL COVX_CPLApp::InitInstance()
{
    const char* commandLine = m_lpCmdLine;
    if (FindCommandLineOption(commandLine, kOptionExit)) {
        PostExitToRunningPanel();
        return FALSE;
    }
    if (FindCommandLineOption(commandLine, kOptionAsio))
        m_bShowSettingsPage = true;

    m_instanceMutex.Reset(::CreateMutexA(nullptr, TRUE, kInstanceMutexName));
    if (!m_instanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS) {
        BringRunningPanelForward();
        return FALSE;
    }
    if (!OnFirstInstance())
        return FALSE;
    RegisterForRestartAfterInstall();
    theDrv.SetRequestObserver(&m_journal);

    // The notification area shows small icons: the resource's own small image, shared.
    m_hTrayIcon = static_cast<HICON>(::LoadImageA(m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                                  LR_DEFAULTCOLOR | LR_SHARED));
    m_nCmdShow = FindCommandLineOption(commandLine, kOptionHide) ? SW_HIDE : SW_SHOW;
    m_bQuiet = FindCommandLineOption(commandLine, kOptionQuiet);

    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<COVX_CPLDoc>(); },
        [] { return std::make_unique<CMainFrame>(); }, [] { return std::make_unique<COVX_CPLView>(); }));
    OnFileNew();
    if (!m_pMainWnd)
        return FALSE;

    m_pMainWnd->ShowWindow(m_nCmdShow);
    ::UpdateWindow(m_pMainWnd->m_hWnd);
    return TRUE;
}

COVX_CPLApp::~COVX_CPLApp()
{
    // The connection outlives the application object.
    theDrv.SetRequestObserver(nullptr);
}

void COVX_CPLApp::NoteInHistory(HistoryEntry entry)
{
    m_history.Add(std::move(entry));
    if (m_hHistoryWindow)
        ::PostMessageA(m_hHistoryWindow, WM_APP_HISTORY_CHANGED, 0, 0);
}

void COVX_CPLApp::ClearHistory()
{
    m_history.Clear();
    if (m_hHistoryWindow)
        ::PostMessageA(m_hHistoryWindow, WM_APP_HISTORY_CHANGED, 0, 0);
}

bool COVX_CPLApp::OnCommand(UINT id)
{
    if (id == ID_APP_ABOUT) {
        OnAppAbout();
        return true;
    }
    return CWinApp::OnCommand(id);
}

void COVX_CPLApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}
