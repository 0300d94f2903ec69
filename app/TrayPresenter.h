// What the tray icon shows of the panel's state: the icon's look and the tip follow
// each full refresh, and a balloon tells what changed since the refresh before.
// Everything it shows comes from refreshes that happen anyway: no request, no timer.
#pragma once
#include <windows.h>
#include <string>
#include "app/TrayIcon.h"
#include "app/TrayState.h"

class CTrayPresenter {
public:
    explicit CTrayPresenter(CTrayIcon& icon) : m_icon(icon) {}

    // quiet: balloons are off for this run ("-quiet"); the look and tip still follow.
    void Init(HICON normalIcon, bool quiet);
    // Adds the icon as it looks now: at creation, and again after the shell restarted.
    void AddIcon();
    // The first call is the start-up refresh: it sets the look and tells nothing.
    void OnPanelRefreshed(const PanelFindings& findings, bool ownChange);

private:
    HICON CurrentIcon() const;
    std::string CurrentTip() const;
    // Hands the icon and tip to the shell only when they differ from what it shows.
    void ShowState();

    CTrayIcon& m_icon;
    CTrayState m_state;
    TrayTexts m_texts;
    HICON m_hNormalIcon = nullptr;
    HICON m_hWarningIcon = nullptr;   // shared resource icon; the system frees it
    bool m_bQuiet = false;
    bool m_bStarted = false;
    std::string m_strShownTip;
    HICON m_hShownIcon = nullptr;
};
