#include "app/DeviceInterface.h"

#include <cstddef>
#include <cstring>

CDeviceNotifyHandle RegisterForDeviceInterface(HWND hWnd)
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kOvxInterfaceClass;
    return CDeviceNotifyHandle(::RegisterDeviceNotificationA(hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}

std::string DeviceInterfaceName(const DEV_BROADCAST_HDR* header)
{
    constexpr size_t nameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header->dbch_size <= nameOffset)
        return {};
    const char* name = reinterpret_cast<const char*>(header) + nameOffset;
    const size_t room = header->dbch_size - nameOffset;
    return std::string(name, ::strnlen(name, room));
}
