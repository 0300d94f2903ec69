// The driver's control codes. They follow the Windows device-control layout:
// device type 0x8088, any access, buffered transfer, so each code is
// 0x80880000 plus four times its function number.
#pragma once

#include <cstdint>
#include <span>

namespace OvxIoctl {

constexpr uint32_t Code(uint32_t function)
{
    return (0x8088u << 16) | (0u << 14) | (function << 2) | 0u;
}

constexpr uint32_t GetDriverVersion = Code(0xA01);
constexpr uint32_t GetAsioNameOption = Code(0xA04);
constexpr uint32_t SetAsioNameOption = Code(0xA05);
constexpr uint32_t RegisterNotificationEvent = Code(0xA08);
constexpr uint32_t GetNextEvent = Code(0xA0A);
constexpr uint32_t GetDeviceList = Code(0xA18);
constexpr uint32_t GetChannelLists = Code(0xA19);
constexpr uint32_t GetClockSource = Code(0xA20);
constexpr uint32_t SetClockSource = Code(0xA21);
constexpr uint32_t GetRateMode = Code(0xA22);
constexpr uint32_t SetRateMode = Code(0xA23);
constexpr uint32_t GetSampleRates = Code(0xA30);
constexpr uint32_t SetSampleRate = Code(0xA31);
constexpr uint32_t GetDeviceSyncMode = Code(0xA40);
constexpr uint32_t SetDeviceSyncMode = Code(0xA41);
constexpr uint32_t GetDeviceProperties = Code(0xA48);
constexpr uint32_t SetDeviceProperties = Code(0xA49);
constexpr uint32_t GetStreamInfo = Code(0xA4A);
constexpr uint32_t GetChannelProperties = Code(0xA60);
constexpr uint32_t SetChannelProperties = Code(0xA61);
constexpr uint32_t StartStreaming = Code(0xA80);
constexpr uint32_t StopStreaming = Code(0xA81);
constexpr uint32_t GetStreamBufferDepth = Code(0xAA0);
constexpr uint32_t SetStreamBufferDepth = Code(0xAA1);
constexpr uint32_t GetAsioBufferDepth = Code(0xAA2);
constexpr uint32_t SetAsioBufferDepth = Code(0xAA3);
constexpr uint32_t GetWdmBufferDepth = Code(0xAA4);
constexpr uint32_t SetWdmBufferDepth = Code(0xAA5);
constexpr uint32_t GetAsioStatistics = Code(0xAB2);

static_assert(GetDriverVersion == 0x80882804u);
static_assert(SetRateMode == 0x8088288Cu);
static_assert(GetAsioStatistics == 0x80882AC8u);

// One request of the catalogue with the exact buffer sizes it carries (0: no buffer).
struct Request {
    uint32_t code;
    const char* name;
    uint32_t inSize;
    uint32_t outSize;
};

// All requests, in the order of their function numbers.
std::span<const Request> Catalogue();

// The catalogue entry of a code, or null for a code the driver does not know.
const Request* FindRequest(uint32_t code);

}  // namespace OvxIoctl
