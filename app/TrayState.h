// What the tray tells: from what each full refresh found, the state shown at a glance
// (the icon's look and the tip's state line) and the news worth a balloon, found by
// comparing the refresh with the one before. Needs no window: the frame loads the
// texts and hands the results to the shell.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "text/StreamingVerdict.h"

struct FoundDevice {
    uint32_t id = 0;     // identity: a renamed device is the same device
    std::string name;
};

// What one full refresh of the pages found.
struct PanelFindings {
    bool driverReached = false;        // the driver answered the device list
    std::vector<FoundDevice> devices;
    uint32_t sampleRate = 0;           // Hz; 0 when it could not be read
    std::string rateText;              // as the status bar shows it
    StreamingState streaming = StreamingState::NoStreams;
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
    // What the refresh at start-up found: the state to show, and no news.
    void Start(const PanelFindings& findings);
    // What a later refresh found. Returns the balloon's text, one line per change since
    // the refresh before, or nothing. ownChange: the panel itself just wrote to the
    // driver, so changes of the rate and of streaming are the user's own doing.
    std::string Update(const PanelFindings& findings, bool ownChange, const TrayTexts& texts);

    // The warning look: streaming is not running, no device, or no driver.
    bool NeedsAttention() const;
    // One short line for the tip.
    std::string StateLine(const TrayTexts& texts) const;
    const PanelFindings& Current() const { return m_current; }

private:
    PanelFindings m_current;
};
