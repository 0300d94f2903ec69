// The platform's device I/O where there is no Windows: no control device exists,
// so every open fails as it does on a machine without the driver.
#include "driver/DeviceIo.h"

namespace {

constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidHandle = 6;

class CNoDeviceIo final : public IDeviceIo {
public:
    DeviceHandle Open(const char*, uint32_t& error) override
    {
        error = kErrorFileNotFound;
        return nullptr;
    }

    uint32_t Control(DeviceHandle, uint32_t, const void*, uint32_t, void*, uint32_t,
                     uint32_t& bytesReturned) override
    {
        bytesReturned = 0;
        return kErrorInvalidHandle;
    }

    void Close(DeviceHandle) override {}
};

}  // namespace

IDeviceIo& PlatformDeviceIo()
{
    static CNoDeviceIo io;
    return io;
}
