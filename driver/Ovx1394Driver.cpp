#include "driver/Ovx1394Driver.h"

#include <cstdio>

#include "driver/ControlCodes.h"

namespace {

constexpr uint8_t kInterfaceMajor = 2;
constexpr uint8_t kMinInterfaceMinor = 14;

}  // namespace

COvx1394Driver::COvx1394Driver() = default;

COvx1394Driver::~COvx1394Driver()
{
    Close();
}

DrvResult COvx1394Driver::Open(const char* name)
{
    std::lock_guard lock(m_lock);
    if (m_hDevice)
        return DRV_OK;

    char path[260];
    std::snprintf(path, sizeof path, "\\\\.\\%s", name);

    IDeviceIo& io = CurrentDeviceIo();
    uint32_t error = 0;
    DeviceHandle handle = io.Open(path, error);
    if (!handle)
        return error != DRV_OK ? error : ERROR_DRV_NOT_OPEN;   // a failure must not read as success
    m_hDevice = handle;
    m_io = &io;

    _DRIVER_VERSION_INFO version{};
    const DrvResult result = GetDriverVersion(&version);
    if (result != DRV_OK) {
        Close();
        return result;
    }
    if (version.interfaceMajor != kInterfaceMajor || version.interfaceMinor < kMinInterfaceMinor) {
        Close();
        return ERROR_DRV_INTERFACE_VERSION;
    }
    return DRV_OK;
}

void COvx1394Driver::Close()
{
    std::lock_guard lock(m_lock);
    if (!m_hDevice)
        return;
    m_io->Close(m_hDevice);
    m_hDevice = nullptr;
    m_io = nullptr;
}

bool COvx1394Driver::IsOpen() const
{
    std::lock_guard lock(m_lock);
    return m_hDevice != nullptr;
}

void COvx1394Driver::SetRequestObserver(IRequestObserver* observer)
{
    std::lock_guard lock(m_lock);
    m_observer = observer;
}

DrvResult COvx1394Driver::Control(uint32_t code, const void* inBuffer, uint32_t inSize,
                                  void* outBuffer, uint32_t outSize, uint32_t* byteCount)
{
    std::lock_guard lock(m_lock);
    // A request never sent is nobody's news: the observer hears of those the driver had.
    if (!m_hDevice)
        return ERROR_DRV_NOT_OPEN;
    uint32_t returned = 0;
    const DrvResult result = m_io->Control(m_hDevice, code, inBuffer, inSize, outBuffer, outSize, returned);
    if (byteCount)
        *byteCount = returned;
    if (m_observer)
        m_observer->OnRequest(code, inBuffer, inSize, result);
    return result;
}

template <typename Record>
DrvResult COvx1394Driver::ReadRecord(uint32_t code, const uint32_t* id, Record* record)
{
    // Zeroed as the list readers' callers zero theirs: a count nobody wrote reads 0.
    Record answer{};
    uint32_t written = 0;
    const DrvResult result = Control(code, id, id ? sizeof *id : 0, &answer, sizeof answer, &written);
    if (result != DRV_OK)
        return result;
    if (written < sizeof answer)
        return ERROR_DRV_SHORT_ANSWER;
    *record = answer;
    return DRV_OK;
}

DrvResult COvx1394Driver::GetDriverVersion(_DRIVER_VERSION_INFO* version)
{
    return ReadRecord(OvxIoctl::GetDriverVersion, nullptr, version);
}

DrvResult COvx1394Driver::GetAsioNameOption(uint32_t* option)
{
    return ReadRecord(OvxIoctl::GetAsioNameOption, nullptr, option);
}

DrvResult COvx1394Driver::SetAsioNameOption(const uint32_t* option)
{
    return Control(OvxIoctl::SetAsioNameOption, option, sizeof *option, nullptr, 0);
}

DrvResult COvx1394Driver::RegisterNotificationEvent(void* eventHandle)
{
    // The driver takes the handle value itself in four bytes; handle values of a
    // 64-bit process stay sign-extensible from 32 bits, so nothing is lost.
    const uint32_t value = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(eventHandle));
    return Control(OvxIoctl::RegisterNotificationEvent, &value, sizeof value, nullptr, 0);
}

DrvResult COvx1394Driver::GetNextEvent(_DRIVER_EVENT_INFO* event)
{
    return ReadRecord(OvxIoctl::GetNextEvent, nullptr, event);
}

DrvResult COvx1394Driver::GetDeviceList(_DEVICE_ID_LIST* list)
{
    return ReadRecord(OvxIoctl::GetDeviceList, nullptr, list);
}

DrvResult COvx1394Driver::GetChannelLists(_CHANNEL_ID_LISTS* lists)
{
    return ReadRecord(OvxIoctl::GetChannelLists, nullptr, lists);
}

DrvResult COvx1394Driver::GetClockSource(_CLOCK_SOURCE_INFO* source)
{
    return ReadRecord(OvxIoctl::GetClockSource, nullptr, source);
}

DrvResult COvx1394Driver::SetClockSource(const _CLOCK_SOURCE_INFO* source)
{
    return Control(OvxIoctl::SetClockSource, source, sizeof *source, nullptr, 0);
}

DrvResult COvx1394Driver::GetRateMode(uint32_t* mode)
{
    _RATE_MODE_INFO info{};
    const DrvResult result = ReadRecord(OvxIoctl::GetRateMode, nullptr, &info);
    if (result == DRV_OK)
        *mode = info.mode;
    return result;
}

DrvResult COvx1394Driver::SetRateMode(uint32_t mode)
{
    const _RATE_MODE_INFO info{0, mode};
    return Control(OvxIoctl::SetRateMode, &info, sizeof info, nullptr, 0);
}

DrvResult COvx1394Driver::GetSampleRates(_SAMPLE_RATE_INFO* rates)
{
    return ReadRecord(OvxIoctl::GetSampleRates, nullptr, rates);
}

DrvResult COvx1394Driver::SetSampleRate(uint32_t rateHz)
{
    const _SAMPLE_RATE_REQUEST request{0, rateHz};
    return Control(OvxIoctl::SetSampleRate, &request, sizeof request, nullptr, 0);
}

DrvResult COvx1394Driver::GetDeviceSyncMode(const uint32_t* deviceId, _DEVICE_SYNC_MODE_INFO* info)
{
    return ReadRecord(OvxIoctl::GetDeviceSyncMode, deviceId, info);
}

DrvResult COvx1394Driver::SetDeviceSyncMode(const _DEVICE_SYNC_MODE_INFO* info)
{
    return Control(OvxIoctl::SetDeviceSyncMode, info, kSyncModeHeadSize, nullptr, 0);
}

DrvResult COvx1394Driver::GetDeviceProperties(const uint32_t* deviceId,
                                              _OVX_DEVICE_PROPERTIES* properties)
{
    return ReadRecord(OvxIoctl::GetDeviceProperties, deviceId, properties);
}

DrvResult COvx1394Driver::SetDeviceProperties(const _OVX_DEVICE_PROPERTIES* properties)
{
    return Control(OvxIoctl::SetDeviceProperties, properties, sizeof *properties, nullptr, 0);
}

DrvResult COvx1394Driver::GetStreamInfo(const uint32_t* deviceId, _STREAM_INFO* info)
{
    return ReadRecord(OvxIoctl::GetStreamInfo, deviceId, info);
}

DrvResult COvx1394Driver::GetChannelProperties(const uint32_t* channelId,
                                               _OVX_CHANNEL_PROPERTIES* properties)
{
    return ReadRecord(OvxIoctl::GetChannelProperties, channelId, properties);
}

DrvResult COvx1394Driver::SetChannelProperties(const _OVX_CHANNEL_PROPERTIES* properties)
{
    return Control(OvxIoctl::SetChannelProperties, properties, sizeof *properties, nullptr, 0);
}

DrvResult COvx1394Driver::StartStreaming()
{
    return Control(OvxIoctl::StartStreaming, nullptr, 0, nullptr, 0);
}

DrvResult COvx1394Driver::StopStreaming()
{
    return Control(OvxIoctl::StopStreaming, nullptr, 0, nullptr, 0);
}

DrvResult COvx1394Driver::GetStreamBufferDepth(_BUFFER_DEPTH_INFO* depth)
{
    return ReadRecord(OvxIoctl::GetStreamBufferDepth, nullptr, depth);
}

DrvResult COvx1394Driver::SetStreamBufferDepth(const _BUFFER_DEPTH_INFO* depth)
{
    return Control(OvxIoctl::SetStreamBufferDepth, depth, sizeof *depth, nullptr, 0);
}

DrvResult COvx1394Driver::GetAsioBufferDepth(_BUFFER_DEPTH_INFO* depth)
{
    return ReadRecord(OvxIoctl::GetAsioBufferDepth, nullptr, depth);
}

DrvResult COvx1394Driver::SetAsioBufferDepth(const _BUFFER_DEPTH_INFO* depth)
{
    return Control(OvxIoctl::SetAsioBufferDepth, depth, sizeof *depth, nullptr, 0);
}

DrvResult COvx1394Driver::GetWdmBufferDepth(_BUFFER_DEPTH_INFO* depth)
{
    return ReadRecord(OvxIoctl::GetWdmBufferDepth, nullptr, depth);
}

DrvResult COvx1394Driver::SetWdmBufferDepth(const _BUFFER_DEPTH_INFO* depth)
{
    return Control(OvxIoctl::SetWdmBufferDepth, depth, sizeof *depth, nullptr, 0);
}

DrvResult COvx1394Driver::GetAsioStatistics(_ASIO_STATISTICS* statistics)
{
    return ReadRecord(OvxIoctl::GetAsioStatistics, nullptr, statistics);
}
