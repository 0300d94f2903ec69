// The panel's only top-level window: the view, the status bar and the tray icon.
// Closing it only hides it; the program ends through Quit.
#pragma once
#include <windows.h>
#include <string>
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
    // What a full refresh of the pages found; the tray icon follows it.
    void OnPanelRefreshed(const PanelFindings& findings, bool ownChange);

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
    void AddTrayIcon();
    void OnVisibilityChanged(bool visible);

    CStatusBar m_wndStatusBar;
    CHistoryWnd m_historyWnd;
    CTrayIcon m_trayIcon;
    CTrayPresenter m_trayPresenter{m_trayIcon};
    // A right click brings its menu at the press; the context menu request that the
    // shell sends after the release belongs to that click, not to the keyboard.
    ULONGLONG m_mouseMenuClosedTick = 0;
    bool m_bTrayMenuOpen = false;
};
