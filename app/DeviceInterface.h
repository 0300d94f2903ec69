// The driver's device interface as the shell sees it: registering for its arrival
// and removal, and reading the interface name out of a broadcast record.
#pragma once
#include <windows.h>
#include <dbt.h>
#include <string>
#include "driver/InterfaceClass.h"
#include "ui/Handles.h"

// Registers hWnd for WM_DEVICECHANGE about the driver's interface class.
CDeviceNotifyHandle RegisterForDeviceInterface(HWND hWnd);

// The interface name of a device-interface broadcast, or "" for any other kind of
// record. Never reads past the size the record declares.
std::string DeviceInterfaceName(const DEV_BROADCAST_HDR* header);
