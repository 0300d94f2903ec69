#include "report/SupportReportText.h"

#include <algorithm>
#include <tuple>

#include "driver/RecordText.h"
#include "history/HistoryText.h"
#include "text/TimeText.h"
#include "report/ShownText.h"
#include "res/StreamTexts.h"
#include "text/ControlText.h"
#include "text/FormatText.h"
#include "text/StreamText.h"
#include "text/StreamingVerdict.h"
#include "text/VersionText.h"

namespace {

constexpr const char* kPlugNames[4] = {TXT_COL_AUDIO_OUT_PLUG, TXT_COL_AUDIO_IN_PLUG, TXT_COL_SYNCH_OUT_PLUG,
                                       TXT_COL_SYNCH_IN_PLUG};

class CReportText {
public:
    explicit CReportText(const SupportFacts& facts) : m_facts(facts), m_state(facts.driver) {}

    std::string Write();

private:
    void Line(const std::string& line = {}) { m_text += line + "\n"; }
    void Heading(const char* title)
    {
        Line();
        Line(std::string("[") + title + "]");
    }
    // Says which parts of the section could not be read; false when none of the driver was.
    bool NotRead(std::initializer_list<const RequestFailure*> parts);

    void Head();
    void Versions();
    void Devices();
    void Channels(uint32_t deviceId, bool output);
    void OtherChannels();
    void ClockAndRates();
    void Plugs();
    void Buffers();
    void FailedRequests();
    void History();
    void Names();

    const SupportFacts& m_facts;
    const DriverState& m_state;
    std::string m_text;
};

std::string SyncModeText(const _SYNC_MODE_ENTRY& mode)
{
    return ShownText(FieldText(mode.name)) + " (mode " + DecimalText(mode.modeCode) + ", source " +
           ResultCodeText(mode.sourceId) + ")";
}

std::string DeviceText(const _OVX_DEVICE_PROPERTIES& device)
{
    return ShownText(FieldText(device.name)) + " (" + ShownText(FieldText(device.serialNumber)) + ")";
}

std::string ClockMasterText(const DriverState& state)
{
    if (state.clockSource.masterFlag == 0)
        return "the PC driver";
    const int master = state.DeviceIndex(state.clockSource.masterDeviceId);
    if (master < 0)
        return "device " + ResultCodeText(state.clockSource.masterDeviceId) + ", not listed";
    return "device " + DecimalText(static_cast<size_t>(master) + 1) + ", " +
           DeviceText(state.devices[static_cast<size_t>(master)]);
}

std::string ChannelText(const _OVX_CHANNEL_PROPERTIES& channel, size_t index)
{
    return DecimalText(index + 1) + "  " + ShownText(FieldText(channel.channelName)) + " (hardware name " +
           ShownText(FieldText(channel.hardwareName)) + ")";
}

std::string EntryLine(const HistoryEntry& entry, const HistoryTexts& texts)
{
    // HistoryLine's fields, each escaped on its own so that the tabs between them stay tabs.
    std::string line = HistoryTimeText(entry) + "\t" + ShownText(HistoryEventText(entry, texts));
    if (const std::string device = HistoryDeviceText(entry); !device.empty())
        line += "\t" + ShownText(device);
    return line;
}

bool CReportText::NotRead(std::initializer_list<const RequestFailure*> parts)
{
    if (!m_facts.DriverOpen()) {
        Line("Not read: the driver could not be opened.");
        return false;
    }
    for (const RequestFailure* part : parts) {
        if (!part->Ok())
            Line("Not read in full: " + ShownFailure(*part));
    }
    return true;
}

void CReportText::Head()
{
    Line("Tormalin Zemra 1394 support report");
    Line("Written by " + EscapeUtf8ControlCharacters(m_facts.writtenBy) + " " + m_facts.programVersion + " on " +
         LocalTimeText(m_facts.writtenAt) + " local time (" + UtcTimeText(m_facts.writtenAt) + ").");
    if (!m_facts.DriverOpen()) {
        const std::string explanation = ShownResult(m_facts.opening);
        Line("The driver could not be opened: " + ResultCodeText(m_facts.opening) +
             (explanation.empty() ? "" : " " + explanation) + " Nothing of it was read.");
    } else if (const RequestFailure first = m_facts.reads.First(); !first.Ok()) {
        Line("The driver could not be read in full; the first request that failed: " + ShownFailure(first));
        Line("Each section shows what was read.");
    } else {
        Line("The driver was read in full.");
    }
}

void CReportText::Versions()
{
    Heading("Versions");
    Line("Control panel:    " + m_facts.programVersion);
    Line("ovxctl:           " + m_facts.programVersion);
    if (NotRead({&m_facts.reads.version}) && m_facts.reads.version.Ok()) {
        Line("Driver interface: " + InterfaceVersionText(m_state.version));
        Line("Driver version:   " + DriverVersionText(m_state.version));
    }
}

void CReportText::Devices()
{
    Heading("Devices");
    const SupportReads& reads = m_facts.reads;
    if (!NotRead({&reads.devices, &reads.syncModes, &reads.inputs, &reads.outputs}))
        return;
    Line(DecimalText(m_state.devices.size()) + " devices, " + DecimalText(m_state.inputs.size()) + " inputs, " +
         DecimalText(m_state.outputs.size()) + " outputs.");
    for (size_t i = 0; i < m_state.devices.size(); ++i) {
        const _OVX_DEVICE_PROPERTIES& device = m_state.devices[i];
        Line();
        Line("Device " + DecimalText(i + 1) + ": " + ShownText(FieldText(device.name)));
        Line("  Serial number:   " + ShownText(FieldText(device.serialNumber)));
        Line("  Id:              " + ResultCodeText(device.deviceId) + ", ranking " + DecimalText(device.ranking));
        if (i < m_state.syncModes.size()) {
            const _DEVICE_SYNC_MODE_INFO& sync = m_state.syncModes[i];
            Line("  Synchronisation: " + SyncModeText(sync.current));
            const uint32_t offered = std::min(sync.offeredCount, kMaxSyncModes);
            Line("  Offered modes:   " + DecimalText(offered) + (offered ? "" : " (none)"));
            for (uint32_t m = 0; m < offered; ++m)
                Line("    " + DecimalText(m + 1) + "  " + SyncModeText(sync.offered[m]));
        }
        Channels(device.deviceId, false);
        Channels(device.deviceId, true);
    }
    OtherChannels();
}

void CReportText::Channels(uint32_t deviceId, bool output)
{
    const std::vector<_OVX_CHANNEL_PROPERTIES>& channels = output ? m_state.outputs : m_state.inputs;
    std::vector<std::string> lines;
    for (size_t c = 0; c < channels.size(); ++c) {
        if (channels[c].deviceId == deviceId)
            lines.push_back("    " + ChannelText(channels[c], c));
    }
    Line(std::string(output ? "  Outputs:         " : "  Inputs:          ") + DecimalText(lines.size()));
    for (const std::string& line : lines)
        Line(line);
}

void CReportText::OtherChannels()
{
    for (const bool output : {false, true}) {
        const std::vector<_OVX_CHANNEL_PROPERTIES>& channels = output ? m_state.outputs : m_state.inputs;
        for (size_t c = 0; c < channels.size(); ++c) {
            if (m_state.DeviceIndex(channels[c].deviceId) < 0)
                Line(std::string(output ? "Output " : "Input ") + "of device " + ResultCodeText(channels[c].deviceId) +
                     ", which is not listed: " + ChannelText(channels[c], c));
        }
    }
}

void CReportText::ClockAndRates()
{
    Heading("Clock and rates");
    const SupportReads& reads = m_facts.reads;
    if (!NotRead({&reads.clockSource, &reads.rateMode, &reads.sampleRates}))
        return;
    if (reads.clockSource.Ok())
        Line("Clock master:  " + ClockMasterText(m_state));
    if (reads.rateMode.Ok())
        Line(std::string("Rate mode:     ") + (m_state.rateMode ? "set by the clock master" : "set manually"));
    if (reads.sampleRates.Ok()) {
        std::string offered;
        for (const uint32_t rate : m_state.OfferedRates())
            offered += " " + DecimalText(rate);
        Line("Sampling rate: " + DecimalText(m_state.sampleRates.currentRate) + " Hz");
        Line("Offered rates:" + (offered.empty() ? std::string(" none") : offered + " Hz"));
    }
}

void CReportText::Plugs()
{
    Heading("Plugs");
    if (!NotRead({&m_facts.reads.streams}))
        return;
    for (size_t i = 0; i < m_state.streams.size() && i < m_state.devices.size(); ++i) {
        const DeviceStreams& streams = m_state.streams[i];
        Line("Device " + DecimalText(i + 1) + ": " + DeviceText(m_state.devices[i]));
        if (!streams.read) {
            Line("  Its stream status could not be read.");
            continue;
        }
        for (int p = 0; p < 4; ++p) {
            const _PLUG_STATUS& plug = PlugOf(streams.info, p);
            const std::string state = FormatPlugState(plug);
            std::string line = std::string("  ") + kPlugNames[p] + ": " + (state.empty() ? "nothing to report" : state);
            if (plug.state == PlugState_ConnectFailed)
                line += ": " + FormatStreamError(plug.error);
            Line(ShownText(line));
        }
    }
    // As the JSON report: no verdict from a status read only in part.
    if (m_facts.Read(m_facts.reads.streams))
        Line(std::string("Streaming: ") + StreamingStateText(m_state.Streaming()));
}

void CReportText::Buffers()
{
    Heading("Buffers and drop-outs");
    const SupportReads& reads = m_facts.reads;
    if (!NotRead({&reads.streamDepth, &reads.asioDepth, &reads.wdmDepth, &reads.statistics}))
        return;
    if (reads.streamDepth.Ok()) {
        const _STREAM_DEPTH_LAYOUT& stream = m_state.streamDepth.stream;
        Line("Stream buffer:  " + DecimalText(stream.current) + " us (minimum " + DecimalText(stream.minimum) +
             ", step " + DecimalText(stream.step) + ")");
    }
    for (const auto& [name, depth, read] : {std::tuple{"ASIO buffer:    ", &m_state.asioDepth, &reads.asioDepth},
                                            std::tuple{"WDM buffer:     ", &m_state.wdmDepth, &reads.wdmDepth}}) {
        const _AUDIO_DEPTH_LAYOUT& audio = depth->audio;
        if (read->Ok())
            Line(name + DecimalText(audio.current) + " us, " + DecimalText(audio.samples) + " samples (minimum " +
                 DecimalText(audio.minimum) + ", step " + DecimalText(audio.step) + ")");
    }
    if (reads.statistics.Ok())
        Line("ASIO drop-outs: " + DecimalText(m_state.DropOuts()));
}

void CReportText::FailedRequests()
{
    Heading("Failed requests, oldest first");
    if (m_facts.failedRequests.empty())
        Line("None.");
    for (const FailedRequest& failed : m_facts.failedRequests) {
        Line(LocalTimeText(failed.when) + "  " + ShownFailure(failed.failure) +
             (failed.times > 1 ? "  (" + DecimalText(failed.times) + " times in a row)" : ""));
    }
}

void CReportText::History()
{
    Heading("Event history, oldest first");
    if (!m_facts.history) {
        Line(EscapeUtf8ControlCharacters(m_facts.writtenBy) + " keeps no event history; the panel's report holds it.");
        return;
    }
    if (m_facts.history->dropped > 0)
        Line(DecimalText(m_facts.history->dropped) + " older entries went to make room.");
    if (m_facts.history->entries.empty())
        Line("Nothing happened since the panel started.");
    const HistoryTexts texts = DefaultHistoryTexts();
    for (const HistoryEntry& entry : m_facts.history->entries)
        Line(EntryLine(entry, texts));
}

void CReportText::Names()
{
    if (!m_facts.names)
        return;
    Heading("Computer and user");
    Line("Computer: " + EscapeUtf8ControlCharacters(m_facts.names->computer));
    Line("User:     " + EscapeUtf8ControlCharacters(m_facts.names->user));
}

std::string CReportText::Write()
{
    Head();
    Versions();
    Heading("Windows");
    Line(EscapeUtf8ControlCharacters(m_facts.operatingSystem));
    Devices();
    ClockAndRates();
    Plugs();
    Buffers();
    FailedRequests();
    History();
    Names();
    return m_text;
}

}  // namespace

std::string WriteSupportReportText(const SupportFacts& facts) { return CReportText(facts).Write(); }

std::string SupportReportFileText(std::string_view text)
{
    std::string file;
    file.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n')
            file += '\r';
        file += c;
    }
    return file;
}
