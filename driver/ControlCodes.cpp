#include "driver/ControlCodes.h"

#include "driver/DriverRecords.h"

namespace OvxIoctl {
namespace {

constexpr uint32_t kWord = sizeof(uint32_t);

constexpr Request kCatalogue[] = {
    {GetDriverVersion, "GetDriverVersion", 0, sizeof(_DRIVER_VERSION_INFO)},
    {GetAsioNameOption, "GetAsioNameOption", 0, kWord},
    {SetAsioNameOption, "SetAsioNameOption", kWord, 0},
    {RegisterNotificationEvent, "RegisterNotificationEvent", kWord, 0},
    {GetNextEvent, "GetNextEvent", 0, sizeof(_DRIVER_EVENT_INFO)},
    {GetDeviceList, "GetDeviceList", 0, sizeof(_DEVICE_ID_LIST)},
    {GetChannelLists, "GetChannelLists", 0, sizeof(_CHANNEL_ID_LISTS)},
    {GetClockSource, "GetClockSource", 0, sizeof(_CLOCK_SOURCE_INFO)},
    {SetClockSource, "SetClockSource", sizeof(_CLOCK_SOURCE_INFO), 0},
    {GetRateMode, "GetRateMode", 0, sizeof(_RATE_MODE_INFO)},
    {SetRateMode, "SetRateMode", sizeof(_RATE_MODE_INFO), 0},
    {GetSampleRates, "GetSampleRates", 0, sizeof(_SAMPLE_RATE_INFO)},
    {SetSampleRate, "SetSampleRate", sizeof(_SAMPLE_RATE_REQUEST), 0},
    {GetDeviceSyncMode, "GetDeviceSyncMode", kWord, sizeof(_DEVICE_SYNC_MODE_INFO)},
    {SetDeviceSyncMode, "SetDeviceSyncMode", kSyncModeHeadSize, 0},
    {GetDeviceProperties, "GetDeviceProperties", kWord, sizeof(_OVX_DEVICE_PROPERTIES)},
    {SetDeviceProperties, "SetDeviceProperties", sizeof(_OVX_DEVICE_PROPERTIES), 0},
    {GetStreamInfo, "GetStreamInfo", kWord, sizeof(_STREAM_INFO)},
    {GetChannelProperties, "GetChannelProperties", kWord, sizeof(_OVX_CHANNEL_PROPERTIES)},
    {SetChannelProperties, "SetChannelProperties", sizeof(_OVX_CHANNEL_PROPERTIES), 0},
    {StartStreaming, "StartStreaming", 0, 0},
    {StopStreaming, "StopStreaming", 0, 0},
    {GetStreamBufferDepth, "GetStreamBufferDepth", 0, sizeof(_BUFFER_DEPTH_INFO)},
    {SetStreamBufferDepth, "SetStreamBufferDepth", sizeof(_BUFFER_DEPTH_INFO), 0},
    {GetAsioBufferDepth, "GetAsioBufferDepth", 0, sizeof(_BUFFER_DEPTH_INFO)},
    {SetAsioBufferDepth, "SetAsioBufferDepth", sizeof(_BUFFER_DEPTH_INFO), 0},
    {GetWdmBufferDepth, "GetWdmBufferDepth", 0, sizeof(_BUFFER_DEPTH_INFO)},
    {SetWdmBufferDepth, "SetWdmBufferDepth", sizeof(_BUFFER_DEPTH_INFO), 0},
    {GetAsioStatistics, "GetAsioStatistics", 0, sizeof(_ASIO_STATISTICS)},
};
static_assert(std::size(kCatalogue) == 29);

}  // namespace

std::span<const Request> Catalogue()
{
    return kCatalogue;
}

const Request* FindRequest(uint32_t code)
{
    for (const Request& request : kCatalogue) {
        if (request.code == code)
            return &request;
    }
    return nullptr;
}

}  // namespace OvxIoctl
