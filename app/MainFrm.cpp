#include "app/MainFrm.h"

#include <windowsx.h>
#include <shellapi.h>

#include <chrono>

#include "app/AppMessages.h"
#include "app/OVX_CPL.h"
#include "app/OVX_CPLView.h"
#include "app/StudioSnapshot.h"
#include "app/SupportReportDlg.h"
#include "driver/Drv.h"
#include "report/SupportReader.h"
#include "report/SystemFacts.h"
#include "res/resource.h"
#include "text/FormatText.h"
#include "text/CodePage.h"
#include "ui/ResourceText.h"

namespace {

constexpr UINT kIndicators[] = {0, 0, 0, 0};

struct PaneLayout {
    UINT id;
    UINT style;
    int width;
};
// Pane 0 takes what the others leave; the pages write panes 1 to 3.
constexpr PaneLayout kPanes[] = {
    {0, SBPS_STRETCH, 100},
    {1, SBPS_NORMAL, 150},
    {2, SBPS_NORMAL, 200},
    {3, SBPS_NORMAL, 200},
};

}  // namespace

CMainFrame::~CMainFrame()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kWindowClass;
    // Fixed in size, and a caption that the framework never rewrites.
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    cs.style &= ~static_cast<LONG>(WS_THICKFRAME | WS_MAXIMIZEBOX | FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    return TRUE;
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs)
{
    if (CFrameWnd::OnCreate(cs) == -1)
        return -1;
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators))))
        return -1;
    for (int pane = 0; pane < static_cast<int>(std::size(kPanes)); ++pane)
        m_wndStatusBar.SetPaneInfo(pane, kPanes[pane].id, kPanes[pane].style, kPanes[pane].width);

    SetWindowText(LoadResString(IDS_PANEL_TITLE));
    m_trayIcon.Init(m_hWnd, TRAY_ICON_ID);
    m_trayPresenter.Init(m_hWnd, ThePanelApp()->m_hTrayIcon, ThePanelApp()->m_bQuiet);
    m_dropOutWatch.Init(m_hWnd);
    AddTrayIcon();
    return 0;
}

void CMainFrame::AddTrayIcon()
{
    m_trayPresenter.AddIcon();
}

void CMainFrame::OnPanelRefreshed(const PanelFindings& findings)
{
    m_trayPresenter.OnPanelRefreshed(findings);
    // The refresh at start-up is the base of what later refreshes find changed.
    if (!m_bHistoryStarted) {
        m_bHistoryStarted = true;
        m_historyBase = findings.driver;
        m_dropOutWatch.Follow(findings.driver);
    }
}

void CMainFrame::OnRefreshesDone()
{
    COVX_CPLApp* app = ThePanelApp();
    const OwnWrites own = app ? app->Journal().TakeOwnWrites() : OwnWrites{};
    const DriverFindings& found = m_trayPresenter.State().Current().driver;
    if (app) {
        const auto now = std::chrono::system_clock::now();
        for (const DriverChange& change : FindDriverChanges(m_historyBase, found, own))
            app->NoteInHistory(HistoryEntryOf(change, now));
    }
    m_historyBase = found;
    m_trayPresenter.OnRefreshesDone(own);
    m_dropOutWatch.Follow(found);
}

void CMainFrame::OnDropOutTimer()
{
    const auto now = CDropOutTally::Clock::now();
    OnDropOutsCounted(m_dropOutWatch.Read(now), now);
}

void CMainFrame::OnDropOutsRead(uint32_t count)
{
    const auto now = CDropOutTally::Clock::now();
    if (m_dropOutWatch.Running())
        OnDropOutsCounted(m_dropOutWatch.Take(count, now), now);
}

void CMainFrame::OnDropOutsCounted(uint32_t rise, CDropOutTally::Clock::time_point now)
{
    if (rise > 0) {
        HistoryEntry entry;
        entry.when = std::chrono::system_clock::now();
        entry.kind = HistoryKind::DropOuts;
        entry.count = rise;
        if (COVX_CPLApp* app = ThePanelApp())
            app->NoteInHistory(std::move(entry));
    }
    CDropOutTally& tally = m_dropOutWatch.Tally();
    const uint32_t lastMinute = tally.InLastMinute(now);
    std::string balloon;
    if (rise > 0 && tally.TakeBalloon(now))
        balloon = FormatResString(IDS_TRAY_DROP_OUTS, {DecimalText(lastMinute)});
    m_trayPresenter.OnDropOuts(lastMinute > 0, balloon);
}

void CMainFrame::OnResume()
{
    // Devices may have come and gone, and the driver been reloaded, while the computer
    // slept: everything is read again, once.
    if (COVX_CPLApp* app = ThePanelApp()) {
        HistoryEntry entry;
        entry.when = std::chrono::system_clock::now();
        entry.kind = HistoryKind::Resumed;
        app->NoteInHistory(std::move(entry));
    }
    if (auto* view = dynamic_cast<COVX_CPLView*>(GetActiveView()))
        view->ReadAllAfterResume();
}

void CMainFrame::SetStatusText(const std::string& text)
{
    // The status bar's window text is the text of its pane 0.
    m_wndStatusBar.SetWindowText(text);
}

void CMainFrame::SetPaneText(int pane, const std::string& text)
{
    m_wndStatusBar.SetPaneText(pane, text, TRUE);
}

bool CMainFrame::OnCommand(UINT id, UINT, HWND)
{
    switch (id) {
    case ID_TRAY_OPEN:
        OnTrayOpen();
        return true;
    case ID_TRAY_QUIT:
        OnTrayQuit();
        return true;
    case ID_HIDE_PANEL:
        OnHidePanel();
        return true;
    case ID_SAVE_SNAPSHOT:
        OnSaveSnapshot();
        return true;
    case ID_RESTORE_SNAPSHOT:
        OnRestoreSnapshot();
        return true;
    case ID_SAVE_SUPPORT_REPORT:
        OnSaveSupportReport();
        return true;
    case ID_EVENT_HISTORY:   // the Info menu's and the tray menu's
        m_historyWnd.Open(this);
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnTrayOpen()
{
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void CMainFrame::OnTrayQuit()
{
    PostMessage(WM_COMMAND, ID_APP_EXIT, 0);
}

void CMainFrame::OnEndSession()
{
    // Quit's own path, synchronously: the frame is destroyed inside this message.
    if (CWinApp* app = AfxGetApp())
        app->OnAppExit();
}

void CMainFrame::OnHidePanel()
{
    ShowWindow(SW_HIDE);
}

void CMainFrame::OnSaveSnapshot()
{
    CStudioSnapshot::Save(this);
}

void CMainFrame::OnRestoreSnapshot()
{
    CStudioSnapshot::Restore(this, dynamic_cast<COVX_CPLView*>(GetActiveView()));
}

void CMainFrame::OnSaveSupportReport()
{
    COVX_CPLApp* app = ThePanelApp();
    SupportSources sources;
    sources.writtenBy = Utf8FromAnsiReplacing(LoadResString(IDS_PANEL_TITLE));
    sources.operatingSystem = OperatingSystemText();
    // A panel that holds no connection reads nothing: the report says the driver was not open.
    sources.opening = theDrv.IsOpen() ? DRV_OK : ERROR_DRV_NOT_OPEN;
    sources.journal = &app->Journal();
    sources.history = &app->History();
    CSupportReportDlg dialog(CSupportReader(theDrv).Read(sources), this);
    dialog.DoModal();
}

void CMainFrame::OnSysCommand(UINT id, LPARAM lParam)
{
    // The close box, the system menu's Close and Alt+F4 all arrive as SC_CLOSE.
    if ((id & 0xFFF0) == SC_CLOSE)
        OnHidePanel();
    else
        CFrameWnd::OnSysCommand(id, lParam);
}

LRESULT CMainFrame::OnShowSettings(WPARAM, LPARAM)
{
    CWnd* main = AfxGetMainWnd();
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    if (auto* view = frame ? dynamic_cast<COVX_CPLView*>(frame->GetActiveView()) : nullptr)
        view->SelectSettingsPage();
    return 0;
}

LRESULT CMainFrame::OnTrayNotify(WPARAM wParam, LPARAM lParam)
{
    // Version 4: the message in lParam's low word, the icon id in its high word and the
    // icon's anchor point in wParam. A shell that kept the old way sends the id in
    // wParam and the message alone in lParam.
    const bool version4 = HIWORD(lParam) != 0;
    if ((version4 ? HIWORD(lParam) : wParam) != TRAY_ICON_ID)
        return 0;
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case NIN_KEYSELECT:   // Enter or Space on the focused icon
        OnTrayOpen();
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        POINT cursor{};
        if (::GetCursorPos(&cursor))
            ShowTrayMenu(cursor, false);
        break;
    }
    case WM_CONTEXTMENU:   // Shift+F10 or the menu key, and after a right click's release
        if (version4)
            OnTrayContextMenu(wParam);
        break;
    default:
        break;
    }
    return 0;
}

void CMainFrame::OnTrayContextMenu(WPARAM anchor)
{
    // The right click that just showed the menu at its press asks for it once more.
    if (m_bTrayMenuOpen || ::GetTickCount64() - m_mouseMenuClosedTick < ::GetDoubleClickTime())
        return;
    ShowTrayMenu({GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)}, true);
}

void CMainFrame::ShowTrayMenu(POINT at, bool fromKeyboard)
{
    CMenuHandle menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU)));
    if (!menu)
        return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    ::SetForegroundWindow(m_hWnd);
    m_bTrayMenuOpen = true;
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, m_hWnd, nullptr));
    m_bTrayMenuOpen = false;
    if (!fromKeyboard)
        m_mouseMenuClosedTick = ::GetTickCount64();
    // Without a message after it, a tray menu does not close when the user clicks
    // elsewhere the next time (the documented TrackPopupMenu caveat).
    PostMessage(WM_NULL);
    if (chosen != 0)
        PostMessage(WM_COMMAND, chosen, 0);
    else if (fromKeyboard)
        m_trayIcon.ReturnFocus();   // cancelled: the keyboard user is back on the icon
}

void CMainFrame::OnVisibilityChanged(bool visible)
{
    // The one page with a timer stops it while nobody can see the panel.
    if (auto* view = dynamic_cast<COVX_CPLView*>(GetActiveView()))
        view->OnPanelVisibilityChanged(visible);
}

void CMainFrame::OnDestroy()
{
    m_dropOutWatch.Stop();
    m_trayPresenter.Stop();
    m_trayIcon.Delete();
    CFrameWnd::OnDestroy();
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A shell that recreates its notification area forgets every icon and broadcasts
    // this to all top-level windows; without the icon a hidden panel is unreachable.
    static const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    if (taskbarCreated != 0 && message == taskbarCreated) {
        AddTrayIcon();
        return 0;
    }
    switch (message) {
    case WM_QUERYENDSESSION:
        // Logoff, shutdown, or the Restart Manager closing the panel for an install
        // (ENDSESSION_CLOSEAPP): there is nothing to save, every setting is the driver's.
        return TRUE;
    case WM_ENDSESSION:
        // The process may be ended as soon as this returns: leave now, as Quit does, so
        // that the tray icon goes and the notifier's thread is stopped.
        if (wParam)
            OnEndSession();
        return 0;
    case WM_APP_SHOW_SETTINGS:
        return OnShowSettings(wParam, lParam);
    case WM_TIMER:
        if (wParam == CTrayPresenter::kNewsTimer) {
            m_trayPresenter.OnNewsTimer();
            return 0;
        }
        if (wParam == CDropOutWatch::kTimer) {
            OnDropOutTimer();
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    case WM_POWERBROADCAST:
        // Both resume notices may come; the automatic one always does.
        if (wParam == PBT_APMRESUMEAUTOMATIC)
            OnResume();
        return TRUE;
    case WM_APP_TRAY_NOTIFY:
        return OnTrayNotify(wParam, lParam);
    case WM_SHOWWINDOW: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        OnVisibilityChanged(wParam != FALSE && !::IsIconic(m_hWnd));
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = CFrameWnd::WindowProc(message, wParam, lParam);
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_RESTORED)
            OnVisibilityChanged(wParam == SIZE_RESTORED && ::IsWindowVisible(m_hWnd));
        return result;
    }
    default:
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
}
