#include "sim/SimResultName.h"

#include <cstdio>

#include "driver/ResultCodes.h"

std::string SimResultName(uint32_t code)
{
    static constexpr struct {
        uint32_t code;
        const char* name;
    } kNames[] = {
        {0, "OK"},
        {WinError::InvalidFunction, "ERROR_INVALID_FUNCTION"},
        {WinError::FileNotFound, "ERROR_FILE_NOT_FOUND"},
        {WinError::InvalidHandle, "ERROR_INVALID_HANDLE"},
        {WinError::DevNotExist, "ERROR_DEV_NOT_EXIST"},
        {WinError::InvalidParameter, "ERROR_INVALID_PARAMETER"},
        {WinError::InsufficientBuffer, "ERROR_INSUFFICIENT_BUFFER"},
        {WinError::NoMoreItems, "ERROR_NO_MORE_ITEMS"},
        {WinError::NoAccess, "ERROR_NOACCESS"},
        {WinError::DeviceNotConnected, "ERROR_DEVICE_NOT_CONNECTED"},
        {ERROR_DRV_THREAD, "ERROR_DRV_THREAD"},
        {ERROR_DRV_NOT_OPEN, "ERROR_DRV_NOT_OPEN"},
        {ERROR_DRV_INTERFACE_VERSION, "ERROR_DRV_INTERFACE_VERSION"},
        {ERROR_DRV_FCP_NEGATIVE_RESPONSE, "ERROR_DRV_FCP_NEGATIVE_RESPONSE"},
        {ERROR_DRV_WDM_DEVICE_IN_USE, "ERROR_DRV_WDM_DEVICE_IN_USE"},
        {ERROR_DRV_CHANNEL_ALLOCATION, "ERROR_DRV_CHANNEL_ALLOCATION"},
        {ERROR_DRV_BANDWIDTH_ALLOCATION, "ERROR_DRV_BANDWIDTH_ALLOCATION"},
        {ERROR_DRV_ISO_RESOURCE_ALLOCATION, "ERROR_DRV_ISO_RESOURCE_ALLOCATION"},
        {ERROR_DRV_START_STREAMING, "ERROR_DRV_START_STREAMING"},
        {ERROR_DRV_CHANNEL_CHANGED, "ERROR_DRV_CHANNEL_CHANGED"},
        {ERROR_DRV_RATE_NOT_SUPPORTED, "ERROR_DRV_RATE_NOT_SUPPORTED"},
    };
    for (const auto& known : kNames) {
        if (known.code == code)
            return known.name;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", code);
    return text;
}
