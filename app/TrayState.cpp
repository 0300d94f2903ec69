#include "app/TrayState.h"

#include "text/FormatText.h"

namespace {

void AddLine(std::string& text, const std::string& line)
{
    if (!text.empty())
        text += '\n';
    text += line;
}

// The balloon's line of a change; the clock master's changes are the history's alone.
std::string NewsLine(const DriverChange& change, const PanelFindings& before, const PanelFindings& now,
                     const TrayTexts& texts)
{
    switch (change.kind) {
    case DriverChangeKind::DriverGone: return texts.driverGone;
    case DriverChangeKind::DriverBack: return texts.driverBack;
    case DriverChangeKind::DeviceConnected: return FillFormat(texts.deviceConnected, {change.device});
    case DriverChangeKind::DeviceGone: return FillFormat(texts.deviceGone, {change.device});
    case DriverChangeKind::StreamingStopped:
        return FillFormat(texts.streamingStopped, {now.streamFailure.empty() ? now.streamingText : now.streamFailure});
    case DriverChangeKind::StreamingBack: return texts.streamingBack;
    case DriverChangeKind::RateChanged: return FillFormat(texts.rateChanged, {before.rateText, now.rateText});
    case DriverChangeKind::ClockMasterChanged: break;
    }
    return {};
}

}  // namespace

void CTrayState::Start(const PanelFindings& findings)
{
    m_current = findings;
    m_told = findings;
}

void CTrayState::Update(const PanelFindings& findings)
{
    m_current = findings;
}

std::string CTrayState::TakeNews(const OwnWrites& own, const TrayTexts& texts)
{
    std::string news;
    for (const DriverChange& change : FindDriverChanges(m_told.driver, m_current.driver, own)) {
        // What the user just did in the panel needs no balloon.
        if (!change.byPanel)
            AddLine(news, NewsLine(change, m_told, m_current, texts));
    }
    m_told = m_current;
    return news;
}

bool CTrayState::NeedsAttention() const
{
    const DriverFindings& driver = m_current.driver;
    return !driver.driverReached || driver.devices.empty() || driver.streaming != StreamingState::Streaming;
}

std::string CTrayState::StateLine(const TrayTexts& texts) const
{
    const DriverFindings& driver = m_current.driver;
    if (!driver.driverReached)
        return texts.noDriver;
    if (driver.devices.empty())
        return texts.noDevice;
    const std::string rate = driver.sampleRate != 0 ? m_current.rateText : texts.rateUnknown;
    const std::string count = FillFormat(texts.deviceCount, {DecimalText(driver.devices.size())});
    return FillFormat(texts.stateLine, {rate, m_current.streamingText, count});
}
