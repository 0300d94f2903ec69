#include "tests/fuzz/FuzzedDeviceIo.h"

#include <cstdlib>
#include <cstring>

#include "driver/ControlCodes.h"

namespace {

constexpr uint32_t kErrorGenFailure = 31;   // what a driver with nothing more to say answers
const auto kHandle = reinterpret_cast<DeviceHandle>(uintptr_t{0x7004});

}  // namespace

DeviceHandle CFuzzedDeviceIo::Open(const char*, uint32_t& error)
{
    if (m_open != 0)
        std::abort();   // one connection per model
    error = 0;
    ++m_open;
    return kHandle;
}

uint32_t CFuzzedDeviceIo::Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize,
                                  void* out, uint32_t outSize, uint32_t& bytesReturned)
{
    const OvxIoctl::Request* request = OvxIoctl::FindRequest(code);
    if (handle != kHandle || m_open != 1 || !request || inSize != request->inSize ||
        outSize != request->outSize || (inSize > 0 && !in) || (outSize > 0 && !out))
        std::abort();
    // The transport hands the whole input to the driver and may fill the whole output:
    // under AddressSanitizer both must be the caller's own memory.
    if (inSize > 0) {
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i < inSize; ++i)
            sum = static_cast<uint8_t>(sum + static_cast<const uint8_t*>(in)[i]);
    }
    if (outSize > 0)
        std::memmove(out, out, outSize);

    bytesReturned = 0;
    if (m_input.Empty())
        return kErrorGenFailure;
    // Mostly success, so that the requests after a list are reached; else any code.
    const uint8_t kind = m_input.Byte();
    const uint32_t result = kind < 0xC0 ? 0 : m_input.Word32();
    const uint32_t reported = m_input.Word16();
    // A driver writes at most its buffer and may write less than it reports.
    const uint32_t written = reported < outSize ? reported : outSize;
    m_input.Bytes(out, written);
    bytesReturned = reported;
    return result;
}

void CFuzzedDeviceIo::Close(DeviceHandle handle)
{
    if (handle != kHandle || m_open != 1)
        std::abort();
    --m_open;
}
