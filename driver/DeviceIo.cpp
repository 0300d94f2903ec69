#include "driver/DeviceIo.h"

#include <atomic>

namespace {

std::atomic<IDeviceIo*> g_deviceIo{nullptr};

}  // namespace

IDeviceIo& CurrentDeviceIo()
{
    IDeviceIo* io = g_deviceIo.load(std::memory_order_acquire);
    return io ? *io : PlatformDeviceIo();
}

void SetDeviceIo(IDeviceIo* io)
{
    g_deviceIo.store(io, std::memory_order_release);
}
