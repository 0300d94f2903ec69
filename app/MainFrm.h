// The panel's only top-level window: the view, the status bar and the tray icon.
// Closing it only hides it; the program ends through Quit.
#pragma once
#include <windows.h>
#include <string>
#include "app/TrayIcon.h"
#include "ui/FrameWnd.h"
#include "ui/StatusBar.h"

class CMainFrame : public CFrameWnd {
public:
    static constexpr uint32_t TRAY_ICON_ID = 0x4F565831;   // "OVX1"; the panel has one icon

    CMainFrame() = default;
    ~CMainFrame() override;

    // Pane 0: the page title that the view writes on every selection.
    void SetStatusText(const std::string& text);
    // Panes 1 to 3, written by the pages and drawn at once.
    void SetPaneText(int pane, const std::string& text);
    CStatusBar& StatusBar() { return m_wndStatusBar; }

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
    void OnHidePanel();
    void OnSaveSnapshot();
    void OnRestoreSnapshot();
    void ShowTrayMenu();
    void AddTrayIcon();
    void OnVisibilityChanged(bool visible);

    CStatusBar m_wndStatusBar;
    CTrayIcon m_trayIcon;
};
