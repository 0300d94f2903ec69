// What the tray icon shows of the panel's state: the icon's look and the tip follow
// each full refresh; a balloon tells what changed since the last balloon, once a batch
// of refreshes is done (a drain of driver events, a device change, a restore), less
// what the panel's own writes brought. Balloons come at most one per kBalloonGap: news
// within it waits for the gap's end (one one-shot timer), so that a storm of changes is
// told in a few balloons of what it left, not one for each. The drop-outs counted while
// streaming warn too, with a balloon at most once a minute.
#pragma once
#include <windows.h>
#include <string>
#include "app/TrayIcon.h"
#include "app/TrayState.h"

class CTrayPresenter {
public:
    static constexpr UINT_PTR kNewsTimer = 0x5832;
    static constexpr ULONGLONG kBalloonGapMilliseconds = 3000;

    explicit CTrayPresenter(CTrayIcon& icon) : m_icon(icon) {}

    // frame: the window of the held news' timer. quiet: balloons are off for this run
    // ("-quiet"); the look and tip still follow.
    void Init(HWND frame, HICON normalIcon, bool quiet);
    // Adds the icon as it looks now: at creation, and again after the shell restarted.
    void AddIcon();
    // The first call is the start-up refresh: it sets the look and tells nothing.
    void OnPanelRefreshed(const PanelFindings& findings);
    // A batch of refreshes is done; own: what the panel's own writes brought in it.
    void OnRefreshesDone(const OwnWrites& own);
    // The held news' timer.
    void OnNewsTimer();
    // The frame is going: held news is dropped with its timer.
    void Stop();
    // Drop-outs counted in the last minute warn; balloon: their balloon's text, or empty.
    void OnDropOuts(bool warn, const std::string& balloon);
    const CTrayState& State() const { return m_state; }

private:
    HICON CurrentIcon() const;
    std::string CurrentTip() const;
    // Hands the icon and tip to the shell only when they differ from what it shows.
    void ShowState();
    void TellNews();
    void ShowBalloon(const std::string& text);

    CTrayIcon& m_icon;
    CTrayState m_state;
    TrayTexts m_texts;
    HWND m_hFrame = nullptr;
    HICON m_hNormalIcon = nullptr;
    HICON m_hWarningIcon = nullptr;   // shared resource icon; the system frees it
    bool m_bQuiet = false;
    bool m_bStarted = false;
    bool m_bDropOutWarning = false;
    std::string m_strShownTip;
    HICON m_hShownIcon = nullptr;
    OwnWrites m_ownSinceTold;
    bool m_bNewsHeld = false;
    ULONGLONG m_lastNewsTick = 0;
    bool m_bToldNews = false;
};
