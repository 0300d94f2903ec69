// The driver's device-interface class. Its GUID is the one the control device is
// named by, so it is read from that name rather than written a second time.
#pragma once

#include <cstdint>

#include "driver/Ovx1394Driver.h"

struct OvxGuid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

namespace InterfaceClassDetail {

constexpr uint32_t HexValue(char c)
{
    return c >= '0' && c <= '9' ? static_cast<uint32_t>(c - '0')
         : c >= 'a' && c <= 'f' ? static_cast<uint32_t>(c - 'a' + 10)
         : c >= 'A' && c <= 'F' ? static_cast<uint32_t>(c - 'A' + 10)
                                : throw "not a hexadecimal digit";   // fails the constant evaluation
}

constexpr uint32_t Hex(const char* text, int first, int digits)
{
    uint32_t value = 0;
    for (int i = first; i < first + digits; ++i)
        value = value << 4 | HexValue(text[i]);
    return value;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
constexpr OvxGuid ParseGuid(const char* text)
{
    OvxGuid guid{Hex(text, 1, 8), static_cast<uint16_t>(Hex(text, 10, 4)),
                 static_cast<uint16_t>(Hex(text, 15, 4)), {}};
    constexpr int kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i)
        guid.data4[i] = static_cast<uint8_t>(Hex(text, kByteAt[i], 2));
    return guid;
}

}  // namespace InterfaceClassDetail

static_assert(sizeof kOvxDeviceName == 39 && kOvxDeviceName[0] == '{' && kOvxDeviceName[37] == '}',
              "the device name is a braced GUID");
inline constexpr OvxGuid kOvxInterfaceId = InterfaceClassDetail::ParseGuid(kOvxDeviceName);

#ifdef _WIN32
#include <guiddef.h>

inline const GUID kOvxInterfaceClass = {
    kOvxInterfaceId.data1, kOvxInterfaceId.data2, kOvxInterfaceId.data3,
    {kOvxInterfaceId.data4[0], kOvxInterfaceId.data4[1], kOvxInterfaceId.data4[2], kOvxInterfaceId.data4[3],
     kOvxInterfaceId.data4[4], kOvxInterfaceId.data4[5], kOvxInterfaceId.data4[6], kOvxInterfaceId.data4[7]}};
#endif
