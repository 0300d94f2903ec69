#include "pages/DlgPgASIOSettings.h"

#include <commctrl.h>
#include <cstdio>
#include "driver/Drv.h"
#include "text/TimeText.h"
#include "protocol/BufferDepthWrite.h"
#include "res/resource.h"
#include "ui/DataExchange.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"

namespace {

constexpr uint32_t kMaxTicks = 40;   // more positions than this share their ticks
constexpr int kToolTipWidth = 180;

uint32_t TrackBarPosition(const CTrackBarCtrl& bar)
{
    return static_cast<uint32_t>(bar.GetPos());
}

}  // namespace

CDlgPgASIOSettings::CDlgPgASIOSettings() : CDialogPage(IDD_PG_ASIO_SETTINGS) {}

void CDlgPgASIOSettings::SetUpTrackBar(const CTrackBarCtrl& bar, TrackBarScale& shown, uint32_t minimum,
                                       uint32_t step, uint32_t current, uint32_t limit, bool fewTicks)
{
    uint32_t frequency = 1;
    if (fewTicks) {
        const uint32_t positions = (limit - minimum) / step + 1;
        frequency = positions <= kMaxTicks ? 1 : (positions - (kMaxTicks + 1)) / kMaxTicks + 2;
    }
    const TrackBarScale wanted{static_cast<int>(minimum / step), static_cast<int>(limit / step),
                               static_cast<int>(frequency)};
    if (!(wanted == shown)) {
        bar.SetRangeMin(wanted.minimum);
        bar.SetRangeMax(wanted.maximum);
        bar.SetTicFreq(wanted.frequency);
        bar.SetPageSize(1);
        bar.SetLineSize(1);
        shown = wanted;
    }
    const int position = static_cast<int>(current / step);
    if (bar.GetPos() != position)
        bar.SetPos(position);
}

void CDlgPgASIOSettings::DoDataExchange(CDataExchange* dx)
{
    CDialogPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_STREAM_DEPTH_SLIDER, m_barStream);
    DDX_Control(dx, IDC_ASIO_DEPTH_SLIDER, m_barAsio);
    DDX_Control(dx, IDC_WDM_DEPTH_SLIDER, m_barWdm);
    DDX_Text(dx, IDC_DROPOUT_COUNT, m_strDropOuts);
    DDX_Text(dx, IDC_DROPOUT_SINCE, m_strDropOutsSince);
    DDX_Text(dx, IDC_STREAM_DEPTH_LABEL, m_strStreamLabel);
    DDX_Text(dx, IDC_ASIO_DEPTH_LABEL, m_strAsioLabel);
    DDX_Text(dx, IDC_WDM_DEPTH_LABEL, m_strWdmLabel);
}

BOOL CDlgPgASIOSettings::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    m_streamScale = m_asioScale = m_wdmScale = TrackBarScale{};   // the bars are new
    Refresh();
    CreateToolTip();
    return TRUE;
}

void CDlgPgASIOSettings::CreateToolTip()
{
    if (!m_toolTip.Create(this, TTS_ALWAYSTIP))
        return;
    m_toolTip.SetMaxTipWidth(ScaleToWindow(m_hWnd, kToolTipWidth));
    const std::string text = LoadResString(IDS_ASIO_TOOLTIP);
    for (int id : {IDC_ASIO_APPLY, IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_DEPTH_LABEL, IDC_ASIO_DEPTH_CAPTION})
        m_toolTip.AddTool(Control(id), text);
    m_toolTip.Activate(TRUE);
}

void CDlgPgASIOSettings::Refresh()
{
    bool anyRead = false;
    const CTrackBarCtrl& streamBar = m_barStream;
    const _STREAM_DEPTH_LAYOUT& stream = m_streamDepth.stream;
    // A depth without a scale (no step, a minimum above the limit) is treated as unreadable.
    const bool streamRead = theDrv.GetStreamBufferDepth(&m_streamDepth) == DRV_OK &&
                            ScaleOf(BufferKind::Stream, m_streamDepth).Usable();
    if (streamRead)
        SetUpTrackBar(streamBar, m_streamScale, stream.minimum, stream.step, stream.current, m_nStreamLimit, false);
    else
        m_strStreamLabel.clear();
    streamBar.EnableWindow(streamRead);
    anyRead |= streamRead;

    const struct {
        DrvResult (CDrv::*read)(_BUFFER_DEPTH_INFO*);
        BufferKind kind;
        _BUFFER_DEPTH_INFO& depth;
        uint32_t limit;
        const CTrackBarCtrl& slider;
        TrackBarScale& scale;
        std::string& label;
    } audioBars[] = {
        {&CDrv::GetAsioBufferDepth, BufferKind::Asio, m_asioDepth, m_nAsioLimit, m_barAsio, m_asioScale,
         m_strAsioLabel},
        {&CDrv::GetWdmBufferDepth, BufferKind::Wdm, m_wdmDepth, m_nWdmLimit, m_barWdm, m_wdmScale, m_strWdmLabel},
    };
    for (const auto& bar : audioBars) {
        const _AUDIO_DEPTH_LAYOUT& audio = bar.depth.audio;
        const bool read = (theDrv.*bar.read)(&bar.depth) == DRV_OK && ScaleOf(bar.kind, bar.depth).Usable();
        if (read)
            SetUpTrackBar(bar.slider, bar.scale, audio.minimum, audio.step, audio.current, bar.limit, true);
        else
            bar.label.clear();
        bar.slider.EnableWindow(read);
        anyRead |= read;
    }

    for (int id : {IDC_STREAM_APPLY, IDC_ASIO_APPLY, IDC_WDM_APPLY})
        EnableWindowOf(Control(id), FALSE);
    // With nothing read the labels are emptied at once, not left showing old values
    // until the next drop out tick.
    if (anyRead)
        UpdateLabels();
    else
        PushTexts();
}

void CDlgPgASIOSettings::UpdateAudioLabel(_AUDIO_DEPTH_LAYOUT& depth, const CTrackBarCtrl& bar, int applyId,
                                          std::string& label)
{
    if (!bar.IsWindowEnabled())
        return;
    HWND apply = Control(applyId);
    const uint32_t current = TrackBarPosition(bar) * depth.step;
    if (current != depth.current) {
        depth.current = current;
        EnableWindowOf(apply, TRUE);
    }
    const std::string ms = LoadResString(IDS_UNIT_MILLISECONDS);
    char text[96];
    if (::IsWindowEnabled(apply))
        std::snprintf(text, sizeof text, "%d.%01d %s", static_cast<int>(current / 1000),
                      static_cast<int>((current % 1000) / 100), ms.c_str());
    else
        std::snprintf(text, sizeof text, "%d.%01d %s\n%d %s", static_cast<int>(current / 1000),
                      static_cast<int>((current % 1000) / 100), ms.c_str(), static_cast<int>(depth.samples),
                      LoadResString(IDS_UNIT_SAMPLES).c_str());
    label = text;
}

void CDlgPgASIOSettings::UpdateLabels()
{
    UpdateAudioLabel(m_asioDepth.audio, m_barAsio, IDC_ASIO_APPLY, m_strAsioLabel);
    UpdateAudioLabel(m_wdmDepth.audio, m_barWdm, IDC_WDM_APPLY, m_strWdmLabel);

    const CTrackBarCtrl& streamBar = m_barStream;
    if (streamBar.IsWindowEnabled()) {
        _STREAM_DEPTH_LAYOUT& stream = m_streamDepth.stream;
        const uint32_t current = TrackBarPosition(streamBar) * stream.step;
        const bool changed = current != stream.current;
        stream.current = current;
        char text[64];
        std::snprintf(text, sizeof text, "%d %s", static_cast<int>(current),
                      LoadResString(IDS_UNIT_MICROSECONDS).c_str());
        m_strStreamLabel = text;
        if (changed)
            EnableWindowOf(Control(IDC_STREAM_APPLY), TRUE);
    }
    PushTexts();
}

void CDlgPgASIOSettings::OnApply(UINT id)
{
    const BufferKind kind = id == IDC_STREAM_APPLY ? BufferKind::Stream
                            : id == IDC_WDM_APPLY  ? BufferKind::Wdm
                                                   : BufferKind::Asio;
    const _BUFFER_DEPTH_INFO& depth = kind == BufferKind::Stream ? m_streamDepth
                                      : kind == BufferKind::Wdm  ? m_wdmDepth
                                                                 : m_asioDepth;
    // Unchecked: Refresh shows whatever depth the driver kept, and streams that fail to
    // restart show as such on the streams page, not here.
    SetBufferDepth(theDrv, kind, depth, CurrentOf(kind, depth));
    Refresh();
}

void CDlgPgASIOSettings::OnDropOutTimer()
{
    // The count is the driver's; what the panel itself counts (its history, the tray)
    // starts when it began to watch.
    const auto since = DropOutsWatchedSince();
    m_strDropOutsSince = since ? FormatResString(IDS_DROPOUTS_WATCHED_SINCE, {LocalTimeText(*since)})
                               : LoadResString(IDS_DROPOUTS_NOT_WATCHED);
    _ASIO_STATISTICS statistics{};
    m_strDropOuts.clear();
    if (theDrv.GetAsioStatistics(&statistics) == DRV_OK) {
        DropOutsRead(statistics.words[kAsioDropOutWord]);
        char text[16];
        std::snprintf(text, sizeof text, "%u", statistics.words[kAsioDropOutWord]);
        m_strDropOuts = text;
    }
    PushTexts();
}

void CDlgPgASIOSettings::StartDropOutTimer(bool run)
{
    if (!run && m_nTimerId != 0) {
        KillTimer(m_nTimerId);
        m_nTimerId = 0;
    } else if (run && m_nTimerId == 0) {
        m_nTimerId = SetTimer(kDropOutTimer, kDropOutPeriodMs);
    }
}

void CDlgPgASIOSettings::OnShowPage(bool shown)
{
    // Nothing counts while the panel itself is hidden in the tray or minimised.
    HWND frame = ::GetAncestor(m_hWnd, GA_ROOT);
    StartDropOutTimer(shown && ::IsWindowVisible(frame) && !::IsIconic(frame));
    Refresh();
}

void CDlgPgASIOSettings::OnPanelVisibilityChanged(bool visible)
{
    StartDropOutTimer(visible && (GetStyle() & WS_VISIBLE));
}

bool CDlgPgASIOSettings::OnCommand(UINT id, UINT code, HWND control)
{
    if (code == BN_CLICKED && (id == IDC_STREAM_APPLY || id == IDC_ASIO_APPLY || id == IDC_WDM_APPLY)) {
        OnApply(id);
        return true;
    }
    return CDialogPage::OnCommand(id, code, control);
}

bool CDlgPgASIOSettings::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_HSCROLL:
        UpdateLabels();
        return false;   // and the default handling
    case WM_TIMER:
        if (wParam != kDropOutTimer)
            return false;
        OnDropOutTimer();
        result = 0;
        return true;
    case WM_SHOWWINDOW:
        OnShowPage(wParam != FALSE);
        return false;
    default:
        return CDialogPage::OnMessage(message, wParam, lParam, result);
    }
}
