#include "sim/SimMalform.h"

#include <cstring>

#include "driver/ControlCodes.h"
#include "driver/DriverRecords.h"

namespace {

constexpr uint32_t kBeyondCapacity = 0xFFFFFFFFu;

template <size_t N>
void FillField(char (&field)[N])
{
    std::memset(field, 'W', N);
}

// The answer of code viewed as its record; the caller's buffer is exactly that size.
template <typename Record>
Record* As(uint8_t* out)
{
    return reinterpret_cast<Record*>(out);
}

void Unterminate(uint32_t code, uint8_t* out)
{
    namespace Io = OvxIoctl;
    switch (code) {
    case Io::GetDeviceProperties: {
        auto* properties = As<_OVX_DEVICE_PROPERTIES>(out);
        FillField(properties->name);
        FillField(properties->serialNumber);
        break;
    }
    case Io::GetChannelProperties: {
        auto* properties = As<_OVX_CHANNEL_PROPERTIES>(out);
        FillField(properties->hardwareName);
        FillField(properties->channelName);
        break;
    }
    case Io::GetDeviceSyncMode: {
        auto* info = As<_DEVICE_SYNC_MODE_INFO>(out);
        FillField(info->current.name);
        for (_SYNC_MODE_ENTRY& entry : info->offered)
            FillField(entry.name);
        break;
    }
    default:
        break;
    }
}

void Overcount(uint32_t code, uint8_t* out)
{
    namespace Io = OvxIoctl;
    switch (code) {
    case Io::GetDeviceList:
        As<_DEVICE_ID_LIST>(out)->count = kBeyondCapacity;
        break;
    case Io::GetChannelLists:
        As<_CHANNEL_ID_LISTS>(out)->input.count = kBeyondCapacity;
        As<_CHANNEL_ID_LISTS>(out)->output.count = kBeyondCapacity;
        break;
    case Io::GetSampleRates:
        As<_SAMPLE_RATE_INFO>(out)->rateCount = kBeyondCapacity;
        break;
    case Io::GetDeviceSyncMode:
        As<_DEVICE_SYNC_MODE_INFO>(out)->offeredCount = kBeyondCapacity;
        break;
    case Io::GetStreamInfo: {
        auto* info = As<_STREAM_INFO>(out);
        for (_PLUG_STATUS* plug : {&info->audioOut, &info->audioIn, &info->synchOut, &info->synchIn})
            plug->rateCount = kBeyondCapacity;
        break;
    }
    default:
        break;
    }
}

}  // namespace

uint32_t Malform(uint32_t code, Malformation malformation, uint8_t* out, uint32_t outSize)
{
    switch (malformation) {
    case Malformation::UnterminatedText:
        Unterminate(code, out);
        return outSize;
    case Malformation::CountsBeyondCapacity:
        Overcount(code, out);
        return outSize;
    case Malformation::ShortAnswer:
        return outSize / 2;
    }
    return outSize;
}
