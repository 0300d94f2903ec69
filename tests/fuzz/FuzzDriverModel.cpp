// The device model and every request wrapper against a driver that answers anything:
// no answer may be read past its record, lift a list beyond its limit or leave a
// text field unbounded.
#include <cstdlib>

#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "text/StreamText.h"
#include "tests/fuzz/FuzzedDeviceIo.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

template <size_t N>
void CheckText(const char (&field)[N])
{
    Require(FieldText(field).size() <= N);
}

void CheckModel(const CDrv& drv)
{
    Require(drv.m_devices.GetSize() <= static_cast<int>(kMaxDevices));
    Require(drv.m_syncModes.GetSize() <= static_cast<int>(kMaxDevices));
    Require(drv.m_inputChannels.GetSize() <= static_cast<int>(kMaxChannels));
    Require(drv.m_outputChannels.GetSize() <= static_cast<int>(kMaxChannels));
    for (int i = 0; i < drv.m_devices.GetSize(); ++i) {
        CheckText(drv.m_devices.GetAt(i)->name);
        CheckText(drv.m_devices.GetAt(i)->serialNumber);
    }
    for (int i = 0; i < drv.m_syncModes.GetSize(); ++i) {
        const _DEVICE_SYNC_MODE_INFO* info = drv.m_syncModes.GetAt(i);
        CheckText(info->current.name);
        const uint32_t offered = info->offeredCount < kMaxSyncModes ? info->offeredCount : kMaxSyncModes;
        for (uint32_t k = 0; k < offered; ++k)
            CheckText(info->offered[k].name);
    }
    for (const CChannelArray* channels : {&drv.m_inputChannels, &drv.m_outputChannels})
        for (int i = 0; i < channels->GetSize(); ++i) {
            CheckText(channels->GetAt(i)->hardwareName);
            CheckText(channels->GetAt(i)->channelName);
        }
}

void CallEveryWrapper(CDrv& drv)
{
    uint32_t option = 0;
    drv.GetAsioNameOption(&option);
    drv.SetAsioNameOption(&option);
    int event = 0;
    drv.RegisterNotificationEvent(&event);
    _DRIVER_EVENT_INFO eventInfo{};
    drv.GetNextEvent(&eventInfo);
    _CLOCK_SOURCE_INFO clock{};
    drv.GetClockSource(&clock);
    drv.SetClockSource(&clock);
    uint32_t mode = 0;
    drv.GetRateMode(&mode);
    drv.SetRateMode(mode);
    _SAMPLE_RATE_INFO rates{};
    if (drv.GetSampleRates(&rates) == DRV_OK)
        FormatSupportedRates(rates.rateCount, rates.rates, rates.currentRate);
    drv.SetSampleRate(rates.currentRate);
    const uint32_t id = 0x00A1B200;
    _DEVICE_SYNC_MODE_INFO sync{};
    drv.GetDeviceSyncMode(&id, &sync);
    drv.SetDeviceSyncMode(&sync);
    _OVX_DEVICE_PROPERTIES device{};
    drv.GetDeviceProperties(&id, &device);
    drv.SetDeviceProperties(&device);
    _STREAM_INFO stream{};
    if (drv.GetStreamInfo(&id, &stream) == DRV_OK)
        for (int plug = 0; plug < 4; ++plug) {
            FormatPlugState(PlugOf(stream, plug));
            FormatPlugDetails(PlugOf(stream, plug), kPlugLabels[plug]);
        }
    _OVX_CHANNEL_PROPERTIES channel{};
    drv.GetChannelProperties(&id, &channel);
    drv.SetChannelProperties(&channel);
    drv.StopStreaming();
    drv.StartStreaming();
    _BUFFER_DEPTH_INFO depth{};
    drv.GetStreamBufferDepth(&depth);
    drv.SetStreamBufferDepth(&depth);
    drv.GetAsioBufferDepth(&depth);
    drv.SetAsioBufferDepth(&depth);
    drv.GetWdmBufferDepth(&depth);
    drv.SetWdmBufferDepth(&depth);
    _ASIO_STATISTICS statistics{};
    drv.GetAsioStatistics(&statistics);
    _DRIVER_VERSION_INFO version{};
    drv.GetDriverVersion(&version);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    CFuzzedDeviceIo io(input);
    SetDeviceIo(&io);
    {
        CDrv drv;
        if (drv.Open(kOvxDeviceName) == DRV_OK) {
            drv.RefreshDevices();
            drv.RefreshSyncModes();
            drv.RefreshChannels(drv.m_inputChannels, false);
            drv.RefreshChannels(drv.m_outputChannels, true);
            CheckModel(drv);
            drv.ApplyDevices();
            drv.ApplySyncModes();
            CallEveryWrapper(drv);
            // A second refresh replaces every record of the first.
            drv.RefreshDevices();
            drv.RefreshChannels(drv.m_outputChannels, true);
            CheckModel(drv);
        } else {
            Require(!drv.IsOpen());
        }
    }
    Require(io.OpenHandles() == 0);
    SetDeviceIo(nullptr);
    return 0;
}
