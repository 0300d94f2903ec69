#include "ctl/CtlReports.h"

#include <algorithm>
#include <memory>

#include "ctl/JsonWriter.h"
#include "ctl/TextTable.h"
#include "driver/BufferLimits.h"
#include "driver/RecordText.h"
#include "text/StreamText.h"
#include "res/StreamTexts.h"

namespace {

const char* const kPlugKeys[4] = {"audioOut", "audioIn", "synchOut", "synchIn"};

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

const char* RateModeText(uint32_t mode) { return mode ? "automatic" : "manual"; }

std::string RatesText(const uint32_t* rates, uint32_t count)
{
    std::string text;
    for (uint32_t i = 0; i < std::min(count, kMaxSampleRates); ++i)
        text += (i ? " " : "") + std::to_string(rates[i]);
    return text;
}

void WriteRates(CJsonWriter& json, const uint32_t* rates, uint32_t count)
{
    json.BeginArray();
    for (uint32_t i = 0; i < std::min(count, kMaxSampleRates); ++i)
        json.Number(rates[i]);
    json.EndArray();
}

void WriteSyncEntry(CJsonWriter& json, const _SYNC_MODE_ENTRY& entry)
{
    json.BeginObject();
    json.Field("code", entry.modeCode);
    json.Field("source", entry.sourceId);
    json.Field("name", FieldText(entry.name));
    json.EndObject();
}

std::string SyncEntryText(const _SYNC_MODE_ENTRY& entry)
{
    return std::string(FieldText(entry.name)) + " (mode " + std::to_string(entry.modeCode) + ", source " +
           Hex(entry.sourceId) + ")";
}

}  // namespace

CtlOutcome CCtlReports::ReadDevices()
{
    if (const DrvResult result = m_drv.RefreshDevices())
        return CtlRefused(m_drv.m_devices.IsEmpty() ? "GetDeviceList" : "GetDeviceProperties", result);
    return CtlDone();
}

CtlOutcome CCtlReports::ReadSampling(Sampling& sampling)
{
    if (const DrvResult result = m_drv.GetClockSource(&sampling.clock))
        return CtlRefused("GetClockSource", result);
    if (const DrvResult result = m_drv.GetRateMode(&sampling.rateMode))
        return CtlRefused("GetRateMode", result);
    if (const DrvResult result = m_drv.GetSampleRates(&sampling.rates))
        return CtlRefused("GetSampleRates", result);
    return CtlDone();
}

CtlOutcome CCtlReports::ReadDepths(Depths& depths)
{
    if (const DrvResult result = m_drv.GetStreamBufferDepth(&depths.stream))
        return CtlRefused("GetStreamBufferDepth", result);
    if (const DrvResult result = m_drv.GetAsioBufferDepth(&depths.asio))
        return CtlRefused("GetAsioBufferDepth", result);
    if (const DrvResult result = m_drv.GetWdmBufferDepth(&depths.wdm))
        return CtlRefused("GetWdmBufferDepth", result);
    return CtlDone();
}

// As the panel's status bar tells it: every device's audio plugs connected, or not;
// a device whose status cannot be read does not change the verdict.
void CCtlReports::ReadStreamingState(const char*& state)
{
    bool all = true;
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        _STREAM_INFO info{};
        if (m_drv.GetStreamInfo(&m_drv.m_devices.GetAt(i)->deviceId, &info) != DRV_OK)
            continue;
        if (info.audioOut.state != PlugState_Connected || info.audioIn.state != PlugState_Connected)
            all = false;
    }
    state = m_drv.m_devices.IsEmpty() ? TXT_NO_STREAMS : all ? TXT_STREAMING : TXT_CONNECT_FAILED_STATE;
}

std::string CCtlReports::ClockMasterText(const _CLOCK_SOURCE_INFO& clock) const
{
    if (clock.masterFlag == 0)
        return "PC driver";
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        const auto& device = *m_drv.m_devices.GetAt(i);
        if (device.deviceId == clock.masterDeviceId)
            return std::to_string(i + 1) + " " + std::string(FieldText(device.name));
    }
    return "device " + Hex(clock.masterDeviceId) + " (not connected)";
}

void CCtlReports::WriteClockMaster(CJsonWriter& json, const _CLOCK_SOURCE_INFO& clock) const
{
    json.BeginObject();
    json.Field("kind", clock.masterFlag == 0 ? "pc" : "device");
    if (clock.masterFlag != 0) {
        json.Field("deviceId", clock.masterDeviceId);
        for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
            if (m_drv.m_devices.GetAt(i)->deviceId == clock.masterDeviceId)
                json.Field("position", uint32_t(i + 1));
        }
    }
    json.EndObject();
}

void CCtlReports::WriteDevices(CJsonWriter& json) const
{
    json.BeginArray();
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        const auto& device = *m_drv.m_devices.GetAt(i);
        json.BeginObject();
        json.Field("position", uint32_t(i + 1));
        json.Field("id", device.deviceId);
        json.Field("name", FieldText(device.name));
        json.Field("serial", FieldText(device.serialNumber));
        json.Field("ranking", device.ranking);
        json.EndObject();
    }
    json.EndArray();
}

CtlOutcome CCtlReports::Devices()
{
    if (CtlOutcome read = ReadDevices(); read.Failed())
        return read;
    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Key("devices");
        WriteDevices(json);
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    CTextTable table({"#", "Name", "Serial number", "Id", "Ranking"});
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        const auto& device = *m_drv.m_devices.GetAt(i);
        table.AddRow({std::to_string(i + 1), std::string(FieldText(device.name)),
                      std::string(FieldText(device.serialNumber)), Hex(device.deviceId), std::to_string(device.ranking)});
    }
    table.Print(m_out);
    return CtlDone();
}

CtlOutcome CCtlReports::Channels(bool output)
{
    if (CtlOutcome read = ReadDevices(); read.Failed())
        return read;
    CChannelArray& channels = output ? m_drv.m_outputChannels : m_drv.m_inputChannels;
    if (const DrvResult result = m_drv.RefreshChannels(channels, output))
        return CtlRefused(channels.IsEmpty() ? "GetChannelLists" : "GetChannelProperties", result);
    if (const DrvResult result = m_drv.GetAsioNameOption(&m_drv.m_nAsioNameOption))
        return CtlRefused("GetAsioNameOption", result);

    const auto deviceName = [this](uint32_t deviceId) -> std::string {
        for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
            if (m_drv.m_devices.GetAt(i)->deviceId == deviceId)
                return std::string(FieldText(m_drv.m_devices.GetAt(i)->name));
        }
        return "";
    };
    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Field("direction", output ? "out" : "in");
        json.Field("asioNamesIncludeDevice", m_drv.m_nAsioNameOption != 0);
        json.Key("channels");
        json.BeginArray();
        for (int i = 0; i < channels.GetSize(); ++i) {
            const auto& channel = *channels.GetAt(i);
            json.BeginObject();
            json.Field("position", uint32_t(i + 1));
            json.Field("deviceId", channel.deviceId);
            json.Field("device", deviceName(channel.deviceId));
            json.Field("name", FieldText(channel.channelName));
            json.Field("hardwareName", FieldText(channel.hardwareName));
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    CTextTable table({"#", "Device", "Channel name", "Hardware name"});
    for (int i = 0; i < channels.GetSize(); ++i) {
        const auto& channel = *channels.GetAt(i);
        table.AddRow({std::to_string(i + 1), deviceName(channel.deviceId), std::string(FieldText(channel.channelName)),
                      std::string(FieldText(channel.hardwareName))});
    }
    table.Print(m_out);
    m_out << "ASIO display names include the device name: " << (m_drv.m_nAsioNameOption ? "on" : "off") << '\n';
    return CtlDone();
}

CtlOutcome CCtlReports::Sync()
{
    Sampling sampling;
    if (CtlOutcome read = ReadDevices(); read.Failed())
        return read;
    if (const DrvResult result = m_drv.RefreshSyncModes())
        return CtlRefused(m_drv.m_syncModes.IsEmpty() ? "GetDeviceList" : "GetDeviceSyncMode", result);
    if (CtlOutcome read = ReadSampling(sampling); read.Failed())
        return read;
    // The two lists were read one after the other; a device that came or went between
    // them would pair one device's name with another's modes.
    const int count = std::min(m_drv.m_devices.GetSize(), m_drv.m_syncModes.GetSize());

    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Key("clockMaster");
        WriteClockMaster(json, sampling.clock);
        json.Field("rateMode", RateModeText(sampling.rateMode));
        json.Field("sampleRate", sampling.rates.currentRate);
        json.Key("supportedRates");
        WriteRates(json, sampling.rates.rates, sampling.rates.rateCount);
        json.Key("devices");
        json.BeginArray();
        for (int i = 0; i < count; ++i) {
            const auto& sync = *m_drv.m_syncModes.GetAt(i);
            json.BeginObject();
            json.Field("position", uint32_t(i + 1));
            json.Field("id", m_drv.m_devices.GetAt(i)->deviceId);
            json.Field("name", FieldText(m_drv.m_devices.GetAt(i)->name));
            json.Key("mode");
            WriteSyncEntry(json, sync.current);
            json.Key("offered");
            json.BeginArray();
            for (uint32_t m = 0; m < std::min(sync.offeredCount, kMaxSyncModes); ++m)
                WriteSyncEntry(json, sync.offered[m]);
            json.EndArray();
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    m_out << "Clock master:    " << ClockMasterText(sampling.clock) << '\n'
          << "Rate mode:       " << RateModeText(sampling.rateMode) << '\n'
          << "Sampling rate:   " << sampling.rates.currentRate << " Hz\n"
          << "Supported rates: " << RatesText(sampling.rates.rates, sampling.rates.rateCount) << "\n\n";
    CTextTable table({"#", "Device", "Synchronisation", "Offered modes"});
    for (int i = 0; i < count; ++i) {
        const auto& sync = *m_drv.m_syncModes.GetAt(i);
        std::string offered;
        for (uint32_t m = 0; m < std::min(sync.offeredCount, kMaxSyncModes); ++m)
            offered += (m ? ", " : "") + std::to_string(m + 1) + " " + std::string(FieldText(sync.offered[m].name));
        table.AddRow({std::to_string(i + 1), std::string(FieldText(m_drv.m_devices.GetAt(i)->name)),
                      SyncEntryText(sync.current), offered});
    }
    table.Print(m_out);
    return CtlDone();
}

CtlOutcome CCtlReports::Streams()
{
    if (CtlOutcome read = ReadDevices(); read.Failed())
        return read;
    const int count = m_drv.m_devices.GetSize();
    std::vector<_STREAM_INFO> infos(static_cast<size_t>(count));
    std::vector<bool> read(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        read[i] = m_drv.GetStreamInfo(&m_drv.m_devices.GetAt(i)->deviceId, &infos[i]) == DRV_OK;
    const char* state = nullptr;
    ReadStreamingState(state);

    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Field("streaming", state);
        json.Key("devices");
        json.BeginArray();
        for (int i = 0; i < count; ++i) {
            json.BeginObject();
            json.Field("position", uint32_t(i + 1));
            json.Field("id", m_drv.m_devices.GetAt(i)->deviceId);
            json.Field("name", FieldText(m_drv.m_devices.GetAt(i)->name));
            json.Field("read", bool(read[i]));
            json.Key("plugs");
            json.BeginArray();
            for (int p = 0; p < 4 && read[i]; ++p) {
                const _PLUG_STATUS& plug = PlugOf(infos[i], p);
                json.BeginObject();
                json.Field("plug", kPlugKeys[p]);
                json.Field("state", plug.state);
                json.Field("text", FormatPlugState(plug));
                json.Field("stream", plug.streamNumber);
                json.Field("error", plug.error);
                json.Field("errorText", ResultText(plug.error));
                json.Field("rate", plug.currentRate);
                json.Key("rates");
                WriteRates(json, plug.rates, plug.rateCount);
                json.EndObject();
            }
            json.EndArray();
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    CTextTable table({"#", "Device", TXT_COL_AUDIO_OUT_PLUG, TXT_COL_AUDIO_IN_PLUG, TXT_COL_SYNCH_OUT_PLUG,
                      TXT_COL_SYNCH_IN_PLUG});
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> row = {std::to_string(i + 1), std::string(FieldText(m_drv.m_devices.GetAt(i)->name))};
        for (int p = 0; p < 4; ++p)
            row.push_back(read[i] ? FormatPlugState(PlugOf(infos[i], p)) : "");
        table.AddRow(std::move(row));
    }
    table.Print(m_out);
    for (int i = 0; i < count; ++i) {
        for (int p = 0; p < 4 && read[i]; ++p) {
            const _PLUG_STATUS& plug = PlugOf(infos[i], p);
            if (plug.state == PlugState_ConnectFailed)
                m_out << i + 1 << " " << kPlugLabels[p] << ": " << FormatStreamError(plug.error) << '\n';
        }
    }
    m_out << "Streaming: " << state << '\n';
    return CtlDone();
}

CtlOutcome CCtlReports::Buffers()
{
    Depths depths;
    if (CtlOutcome read = ReadDepths(depths); read.Failed())
        return read;
    _ASIO_STATISTICS statistics{};
    if (const DrvResult result = m_drv.GetAsioStatistics(&statistics))
        return CtlRefused("GetAsioStatistics", result);
    const uint32_t dropOuts = statistics.words[kAsioDropOutWord];

    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Key("stream");
        json.BeginObject();
        json.Field("current", depths.stream.stream.current);
        json.Field("minimum", depths.stream.stream.minimum);
        json.Field("step", depths.stream.stream.step);
        json.Field("maximum", kStreamDepthLimit);
        json.EndObject();
        for (const auto& [key, depth] : {std::pair{"asio", &depths.asio}, std::pair{"wdm", &depths.wdm}}) {
            json.Key(key);
            json.BeginObject();
            json.Field("current", depth->audio.current);
            json.Field("minimum", depth->audio.minimum);
            json.Field("step", depth->audio.step);
            json.Field("maximum", kAudioDepthLimit);
            json.Field("samples", depth->audio.samples);
            json.EndObject();
        }
        json.Field("dropOuts", dropOuts);
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    CTextTable table({"Buffer", "Depth (us)", "Minimum", "Step", "Maximum", "Samples"});
    const auto& s = depths.stream.stream;
    table.AddRow({"stream", std::to_string(s.current), std::to_string(s.minimum), std::to_string(s.step),
                  std::to_string(kStreamDepthLimit), ""});
    for (const auto& [name, depth] : {std::pair{"asio", &depths.asio}, std::pair{"wdm", &depths.wdm}}) {
        const auto& a = depth->audio;
        table.AddRow({name, std::to_string(a.current), std::to_string(a.minimum), std::to_string(a.step),
                      std::to_string(kAudioDepthLimit), std::to_string(a.samples)});
    }
    table.Print(m_out);
    m_out << "ASIO drop outs: " << dropOuts << '\n';
    return CtlDone();
}

CtlOutcome CCtlReports::Status()
{
    _DRIVER_VERSION_INFO version{};
    if (const DrvResult result = m_drv.GetDriverVersion(&version))
        return CtlRefused("GetDriverVersion", result);
    Sampling sampling;
    Depths depths;
    const char* state = nullptr;
    if (CtlOutcome read = ReadDevices(); read.Failed())
        return read;
    if (CtlOutcome read = ReadSampling(sampling); read.Failed())
        return read;
    ReadStreamingState(state);
    if (CtlOutcome read = ReadDepths(depths); read.Failed())
        return read;

    if (m_bJson) {
        CJsonWriter json;
        json.BeginObject();
        json.Key("driver");
        json.BeginObject();
        json.Field("interfaceMajor", uint32_t(version.interfaceMajor));
        json.Field("interfaceMinor", uint32_t(version.interfaceMinor));
        json.Field("major", uint32_t(version.driverMajor));
        json.Field("minor", uint32_t(version.driverMinor));
        json.Field("build", version.driverBuild);
        json.EndObject();
        json.Key("devices");
        WriteDevices(json);
        json.Field("sampleRate", sampling.rates.currentRate);
        json.Field("rateMode", RateModeText(sampling.rateMode));
        json.Key("clockMaster");
        WriteClockMaster(json, sampling.clock);
        json.Field("streaming", state);
        json.Key("buffers");
        json.BeginObject();
        json.Field("stream", depths.stream.stream.current);
        json.Field("asio", depths.asio.audio.current);
        json.Field("wdm", depths.wdm.audio.current);
        json.EndObject();
        json.EndObject();
        m_out << json.Text();
        return CtlDone();
    }
    m_out << "Driver interface: " << unsigned(version.interfaceMajor) << '.' << unsigned(version.interfaceMinor) << '\n'
          << "Driver version:   " << unsigned(version.driverMajor) << '.' << unsigned(version.driverMinor) << '.'
          << version.driverBuild << '\n'
          << "Devices:          " << m_drv.m_devices.GetSize() << '\n';
    for (int i = 0; i < m_drv.m_devices.GetSize(); ++i) {
        const auto& device = *m_drv.m_devices.GetAt(i);
        m_out << "  " << i + 1 << "  " << FieldText(device.name) << "  " << FieldText(device.serialNumber) << '\n';
    }
    m_out << "Sampling rate:    " << sampling.rates.currentRate << " Hz (" << RateModeText(sampling.rateMode) << ")\n"
          << "Clock master:     " << ClockMasterText(sampling.clock) << '\n'
          << "Streaming:        " << state << '\n'
          << "Stream buffer:    " << depths.stream.stream.current << " us\n"
          << "ASIO buffer:      " << depths.asio.audio.current << " us\n"
          << "WDM buffer:       " << depths.wdm.audio.current << " us\n";
    return CtlDone();
}
