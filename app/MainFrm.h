// The panel's only top-level window: the view, the status bar and the tray icon.
// Closing it only hides it; the program ends through Quit.
#pragma once
#include <windows.h>
#include <string>
#include "app/DropOutWatch.h"
#include "app/HistoryWnd.h"
#include "app/TrayIcon.h"
#include "app/TrayPresenter.h"
#include "app/TrayState.h"
#include "ui/FrameWnd.h"
#include "ui/StatusBar.h"

class CMainFrame : public CFrameWnd {
public:
    // The panel has one icon. Version 4 of the tray hands the id back in the high word
    // of lParam, so it fits 16 bits.
    static constexpr uint32_t TRAY_ICON_ID = 0x5831;   // "X1"
    // The frame's own window class: a later start finds the running panel by it and by
    // its title, so that no other window with that title (an Explorer window on the
    // install folder) is taken for it.
    static constexpr char kWindowClass[] = "OVX_CPL_MainFrame";

    CMainFrame() = default;
    ~CMainFrame() override;

    // Pane 0: the page title that the view writes on every selection.
    void SetStatusText(const std::string& text);
    // Panes 1 to 3, written by the pages and drawn at once.
    void SetPaneText(int pane, const std::string& text);
    CStatusBar& StatusBar() { return m_wndStatusBar; }
    const CTrayIcon& TrayIcon() const { return m_trayIcon; }
    const CDropOutWatch& DropOutWatch() const { return m_dropOutWatch; }
    // What a full refresh of the pages found; the tray icon follows it.
    void OnPanelRefreshed(const PanelFindings& findings);
    // A batch of refreshes is done: what changed goes into the event history and, less
    // the panel's own writes, to the tray; the drop-out watch follows the streaming.
    void OnRefreshesDone();
    // The settings page read the drop-out count; the watch takes it as its own reading.
    void OnDropOutsRead(uint32_t count);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(CREATESTRUCTA* cs) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnSysCommand(UINT id, LPARAM lParam) override;
    void OnDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnShowSettings(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void OnTrayOpen();
    void OnTrayQuit();
    void OnEndSession();
    void OnHidePanel();
    void ShowTrayMenu(POINT at, bool fromKeyboard);
    void OnTrayContextMenu(WPARAM anchor);
    void OnSaveSnapshot();
    void OnRestoreSnapshot();
    void OnSaveSupportReport();
    void AddTrayIcon();
    void OnVisibilityChanged(bool visible);
    void OnDropOutTimer();
    // A rise of the drop-out count, whoever read it: the history, the tray's warning and balloon.
    void OnDropOutsCounted(uint32_t rise, CDropOutTally::Clock::time_point now);
    void OnResume();

    CStatusBar m_wndStatusBar;
    CHistoryWnd m_historyWnd;
    CTrayIcon m_trayIcon;
    CTrayPresenter m_trayPresenter{m_trayIcon};
    CDropOutWatch m_dropOutWatch;
    DriverFindings m_historyBase;   // what the last batch of refreshes found
    bool m_bHistoryStarted = false;
    // A right click brings its menu at the press; the context menu request that the
    // shell sends after the release belongs to that click, not to the keyboard.
    ULONGLONG m_mouseMenuClosedTick = 0;
    bool m_bTrayMenuOpen = false;
};
