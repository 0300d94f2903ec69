#include "app/TrayPresenter.h"

#include <shellapi.h>
#include "res/resource.h"
#include "ui/ResourceText.h"

namespace {

TrayTexts LoadTrayTexts()
{
    return {LoadResString(IDS_TRAY_STATE_LINE),       LoadResString(IDS_TRAY_DEVICE_COUNT),
            LoadResString(IDS_TRAY_RATE_UNKNOWN),     LoadResString(IDS_TRAY_NO_DRIVER),
            LoadResString(IDS_TRAY_NO_DEVICE),        LoadResString(IDS_TRAY_DRIVER_GONE),
            LoadResString(IDS_TRAY_DRIVER_BACK),      LoadResString(IDS_TRAY_STREAMING_STOPPED),
            LoadResString(IDS_TRAY_STREAMING_BACK),   LoadResString(IDS_TRAY_RATE_CHANGED),
            LoadResString(IDS_TRAY_DEVICE_CONNECTED), LoadResString(IDS_TRAY_DEVICE_GONE)};
}

}  // namespace

void CTrayPresenter::Init(HWND frame, HICON normalIcon, bool quiet)
{
    m_hFrame = frame;
    m_hNormalIcon = normalIcon;
    m_bQuiet = quiet;
    m_texts = LoadTrayTexts();
    // The notification area shows small icons: the variant's own image of that size.
    m_hWarningIcon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TRAY_WARNING),
                                                     IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
}

HICON CTrayPresenter::CurrentIcon() const
{
    const bool warn = m_state.NeedsAttention() || m_bDropOutWarning;
    return m_bStarted && warn && m_hWarningIcon ? m_hWarningIcon : m_hNormalIcon;
}

std::string CTrayPresenter::CurrentTip() const
{
    // Before the first refresh there is no state to tell; the A record's tip holds 127
    // characters, and the title and one short line stay within them.
    const std::string title = LoadResString(IDS_PANEL_TITLE);
    return m_bStarted ? title + "\n" + m_state.StateLine(m_texts) : title;
}

void CTrayPresenter::AddIcon()
{
    m_hShownIcon = CurrentIcon();
    m_strShownTip = CurrentTip();
    // Without a tray the panel still runs.
    m_icon.Add(m_hShownIcon, m_strShownTip.c_str());
}

void CTrayPresenter::ShowState()
{
    const HICON icon = CurrentIcon();
    const std::string tip = CurrentTip();
    if (icon == m_hShownIcon && tip == m_strShownTip)
        return;
    m_hShownIcon = icon;
    m_strShownTip = tip;
    m_icon.Modify(icon, tip.c_str());
}

void CTrayPresenter::OnPanelRefreshed(const PanelFindings& findings)
{
    if (!m_bStarted) {
        m_bStarted = true;
        m_state.Start(findings);
    } else {
        m_state.Update(findings);
    }
    ShowState();
}

void CTrayPresenter::OnRefreshesDone(const OwnWrites& own)
{
    m_ownSinceTold.Merge(own);
    if (m_bNewsHeld)
        return;
    const ULONGLONG now = ::GetTickCount64();
    if (!m_bToldNews || now - m_lastNewsTick >= kBalloonGapMilliseconds) {
        TellNews();
        return;
    }
    m_bNewsHeld = true;
    ::SetTimer(m_hFrame, kNewsTimer, static_cast<UINT>(kBalloonGapMilliseconds - (now - m_lastNewsTick)), nullptr);
}

void CTrayPresenter::Stop()
{
    ::KillTimer(m_hFrame, kNewsTimer);
    m_bNewsHeld = false;
}

void CTrayPresenter::OnNewsTimer()
{
    ::KillTimer(m_hFrame, kNewsTimer);
    m_bNewsHeld = false;
    TellNews();
}

void CTrayPresenter::TellNews()
{
    const std::string news = m_state.TakeNews(m_ownSinceTold, m_texts);
    m_ownSinceTold = {};
    if (news.empty())
        return;
    m_bToldNews = true;
    m_lastNewsTick = ::GetTickCount64();
    ShowBalloon(news);
}

void CTrayPresenter::OnDropOuts(bool warn, const std::string& balloon)
{
    m_bDropOutWarning = warn;
    ShowState();
    if (!balloon.empty())
        ShowBalloon(balloon);
}

void CTrayPresenter::ShowBalloon(const std::string& text)
{
    if (m_bQuiet)
        return;
    const DWORD look = CurrentIcon() == m_hWarningIcon ? NIIF_WARNING : NIIF_INFO;
    m_icon.ShowBalloon(LoadResString(IDS_PANEL_TITLE).c_str(), text.c_str(), look);
}
