// What the tray tells: from what each full refresh found, the state shown at a glance
// (the icon's look and the tip's state line), and the news worth a balloon: what
// changed since the panel last told anything (protocol/DriverChanges.h), less what the
// panel's own writes brought, as its request journal knows them. Needs no window: the
// frame loads the texts, paces the balloons and hands the results to the shell.
#pragma once
#include <string>

#include "protocol/DriverChanges.h"

// What one full refresh of the pages found, and how the status bar words it.
struct PanelFindings {
    DriverFindings driver;
    std::string rateText;              // as the status bar shows it
    std::string streamingText;         // as the status bar shows it
    std::string streamFailure;         // the first failed plug's device and error, or empty
};

// The string table's texts; each %s is filled in once (text/FormatText.h).
struct TrayTexts {
    std::string stateLine;          // "%s, %s, %s": rate, streaming state, device count
    std::string deviceCount;        // "%s device(s)", the count in digits
    std::string rateUnknown;
    std::string noDriver;
    std::string noDevice;
    std::string driverGone;
    std::string driverBack;
    std::string streamingStopped;   // "%s": the failure, or the streaming state
    std::string streamingBack;
    std::string rateChanged;        // "%s ... %s": the rate before and after
    std::string deviceConnected;    // "%s": its name
    std::string deviceGone;         // "%s": its name
};

class CTrayState {
public:
    // What the refresh at start-up found: the state to show, and nothing to tell.
    void Start(const PanelFindings& findings);
    // What a later refresh found: the state shown follows it at once.
    void Update(const PanelFindings& findings);
    // The news since the last time anything was told, one line per change, or nothing.
    // own: what the panel's own writes brought since then, which is no news. What is
    // told is the base of the next news.
    std::string TakeNews(const OwnWrites& own, const TrayTexts& texts);

    // The warning look: streaming is not running, no device, or no driver.
    bool NeedsAttention() const;
    // One short line for the tip.
    std::string StateLine(const TrayTexts& texts) const;
    const PanelFindings& Current() const { return m_current; }

private:
    PanelFindings m_current;
    PanelFindings m_told;
};
