// The buffer settings page: the stream, ASIO and WDM buffer depths on three track
// bars, each with its own Apply, and the ASIO drop outs counted once a second while
// the page is on the screen.
#pragma once
#include <string>
#include "driver/BufferLimits.h"
#include "driver/DriverRecords.h"
#include "pages/DialogPage.h"
#include "ui/ToolTipCtrl.h"
#include "ui/TrackBarCtrl.h"

class CDlgPgASIOSettings : public CDialogPage {
public:
    static constexpr UINT_PTR kDropOutTimer = 27;
    static constexpr UINT kDropOutPeriodMs = 1000;

    CDlgPgASIOSettings();

    void Refresh() override;
    void UpdateLabels();
    // The panel's frame was shown, hidden, minimised or restored: the drop out count
    // runs only while the page can be seen.
    void OnPanelVisibilityChanged(bool visible);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // What a track bar was last given. A refresh that reads the same depths leaves the
    // bar's range and ticks alone: each change recomputes the ticks and repaints.
    struct TrackBarScale {
        int minimum = 0;
        int maximum = -1;   // no range given yet
        int frequency = 0;
        bool operator==(const TrackBarScale& other) const
        {
            return minimum == other.minimum && maximum == other.maximum && frequency == other.frequency;
        }
    };
    static void SetUpTrackBar(const CTrackBarCtrl& bar, TrackBarScale& shown, uint32_t minimum, uint32_t step,
                              uint32_t current, uint32_t limit, bool fewTicks);

    void UpdateAudioLabel(_AUDIO_DEPTH_LAYOUT& depth, const CTrackBarCtrl& bar, int applyId, std::string& label);
    void OnDropOutTimer();
    void OnShowPage(bool shown);
    void StartDropOutTimer(bool run);
    void CreateToolTip();
    void OnApply(UINT id);
    void PushTexts() { UpdateData(FALSE); }

    std::string m_strDropOuts;
    std::string m_strDropOutsSince;
    std::string m_strStreamLabel;
    std::string m_strAsioLabel;
    std::string m_strWdmLabel;
    CTrackBarCtrl m_barStream;
    CTrackBarCtrl m_barAsio;
    CTrackBarCtrl m_barWdm;
    TrackBarScale m_streamScale;
    TrackBarScale m_asioScale;
    TrackBarScale m_wdmScale;
    CToolTipCtrl m_toolTip;   // its window goes with the page's window
    _BUFFER_DEPTH_INFO m_streamDepth{};
    _BUFFER_DEPTH_INFO m_asioDepth{};
    _BUFFER_DEPTH_INFO m_wdmDepth{};
    const uint32_t m_nStreamLimit = kStreamDepthLimit;
    const uint32_t m_nAsioLimit = kAudioDepthLimit;
    const uint32_t m_nWdmLimit = kAudioDepthLimit;
    UINT_PTR m_nTimerId = 0;
};
