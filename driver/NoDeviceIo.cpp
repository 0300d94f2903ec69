// The platform's device I/O where there is no Windows: no control device exists,
// so every open fails as it does on a machine without the driver.
#include "driver/DeviceIo.h"
#include "driver/ResultCodes.h"

namespace {

class CNoDeviceIo final : public IDeviceIo {
public:
    DeviceHandle Open(const char*, uint32_t& error) override
    {
        error = WinError::FileNotFound;
        return nullptr;
    }

    uint32_t Control(DeviceHandle, uint32_t, const void*, uint32_t, void*, uint32_t,
                     uint32_t& bytesReturned) override
    {
        bytesReturned = 0;
        return WinError::InvalidHandle;
    }

    void Close(DeviceHandle) override {}
};

}  // namespace

IDeviceIo& PlatformDeviceIo()
{
    static CNoDeviceIo io;
    return io;
}
