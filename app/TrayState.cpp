#include "app/TrayState.h"

#include <algorithm>

#include "text/FormatText.h"

namespace {

bool Has(const std::vector<FoundDevice>& devices, uint32_t id)
{
    return std::any_of(devices.begin(), devices.end(), [id](const FoundDevice& d) { return d.id == id; });
}

void AddLine(std::string& text, const std::string& line)
{
    if (!text.empty())
        text += '\n';
    text += line;
}

std::string StreamingNews(const PanelFindings& before, const PanelFindings& now, const TrayTexts& texts)
{
    const bool was = before.streaming == StreamingState::Streaming;
    const bool is = now.streaming == StreamingState::Streaming;
    if (was && !is)
        return FillFormat(texts.streamingStopped, {now.streamFailure.empty() ? now.streamingText : now.streamFailure});
    if (!was && is)
        return texts.streamingBack;
    return {};
}

}  // namespace

void CTrayState::Start(const PanelFindings& findings)
{
    m_current = findings;
}

std::string CTrayState::Update(const PanelFindings& findings, bool ownChange, const TrayTexts& texts)
{
    const PanelFindings before = std::move(m_current);
    m_current = findings;
    std::string news;
    // Without a driver nothing else can be known: its loss and return are the news,
    // not the devices and streams that went and came with it.
    if (before.driverReached != findings.driverReached) {
        AddLine(news, findings.driverReached ? texts.driverBack : texts.driverGone);
        return news;
    }
    if (!findings.driverReached)
        return news;
    for (const FoundDevice& device : findings.devices)
        if (!Has(before.devices, device.id))
            AddLine(news, FillFormat(texts.deviceConnected, {device.name}));
    for (const FoundDevice& device : before.devices)
        if (!Has(findings.devices, device.id))
            AddLine(news, FillFormat(texts.deviceGone, {device.name}));
    // The user can restart streaming and change the rate from the panel; a device or
    // the driver comes and goes only from outside.
    if (ownChange)
        return news;
    const std::string streaming = StreamingNews(before, findings, texts);
    if (!streaming.empty())
        AddLine(news, streaming);
    if (before.sampleRate != 0 && findings.sampleRate != 0 && before.sampleRate != findings.sampleRate)
        AddLine(news, FillFormat(texts.rateChanged, {before.rateText, findings.rateText}));
    return news;
}

bool CTrayState::NeedsAttention() const
{
    return !m_current.driverReached || m_current.devices.empty() || m_current.streaming != StreamingState::Streaming;
}

std::string CTrayState::StateLine(const TrayTexts& texts) const
{
    if (!m_current.driverReached)
        return texts.noDriver;
    if (m_current.devices.empty())
        return texts.noDevice;
    const std::string rate = m_current.sampleRate != 0 ? m_current.rateText : texts.rateUnknown;
    const std::string count = FillFormat(texts.deviceCount, {DecimalText(m_current.devices.size())});
    return FillFormat(texts.stateLine, {rate, m_current.streamingText, count});
}
