// The seam between the driver connection and the operating system: the only
// place where the control device is opened, asked and closed. The program uses
// the platform's device I/O; tests and the demo install the simulated driver.
#pragma once

#include <cstdint>

using DeviceHandle = void*;   // an operating-system handle; null when none

class IDeviceIo {
public:
    virtual ~IDeviceIo() = default;

    // Opens the device at path for synchronous reading and writing. Returns null and
    // sets error to the system's error code when the device cannot be opened.
    virtual DeviceHandle Open(const char* path, uint32_t& error) = 0;

    // One synchronous device I/O control call. Returns 0 on success, else the system's
    // error code; bytesReturned receives the count the call reported either way.
    virtual uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize,
                             void* out, uint32_t outSize, uint32_t& bytesReturned) = 0;

    virtual void Close(DeviceHandle handle) = 0;
};

// The device I/O every driver connection uses.
IDeviceIo& CurrentDeviceIo();

// Installs io for all connections opened afterwards; null restores the platform's.
// Call it only while no connection is open.
void SetDeviceIo(IDeviceIo* io);

// The platform's own device I/O: Win32 on Windows; elsewhere one without devices.
IDeviceIo& PlatformDeviceIo();
