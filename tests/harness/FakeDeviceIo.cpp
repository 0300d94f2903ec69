#include "tests/harness/FakeDeviceIo.h"

#include <algorithm>
#include <cstring>

#include "driver/ControlCodes.h"

DeviceHandle CFakeDeviceIo::Open(const char* path, uint32_t& error)
{
    std::lock_guard lock(m_mutex);
    openedPaths.emplace_back(path);
    if (openError != 0) {
        error = openError;
        return nullptr;
    }
    error = 0;
    m_nextHandle += 4;
    return reinterpret_cast<DeviceHandle>(m_nextHandle);
}

uint32_t CFakeDeviceIo::Control(DeviceHandle, uint32_t code, const void* in, uint32_t inSize,
                                void* out, uint32_t outSize, uint32_t& bytesReturned)
{
    std::unique_lock lock(m_mutex);
    ++m_inside;
    ++m_entered;
    maxConcurrent = std::max(maxConcurrent, m_inside);
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_hold; });

    FakeCall call{code, {}, inSize, outSize};
    if (in)
        call.input.assign(static_cast<const uint8_t*>(in), static_cast<const uint8_t*>(in) + inSize);
    calls.push_back(std::move(call));
    --m_inside;

    // Every record answered whole: the version as set, any other record as zeros.
    if (out)
        std::memset(out, 0, outSize);
    bytesReturned = outSize;
    if (code == OvxIoctl::GetDriverVersion && outSize == sizeof version)
        std::memcpy(out, &version, sizeof version);
    return 0;
}

void CFakeDeviceIo::Close(DeviceHandle handle)
{
    std::lock_guard lock(m_mutex);
    closed.push_back(handle);
}

void CFakeDeviceIo::HoldControls()
{
    std::lock_guard lock(m_mutex);
    m_hold = true;
}

void CFakeDeviceIo::WaitUntilInside(int entered)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_entered >= entered; });
}

void CFakeDeviceIo::Release()
{
    std::lock_guard lock(m_mutex);
    m_hold = false;
    m_changed.notify_all();
}
