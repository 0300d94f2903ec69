// A device I/O that records what it is asked and answers the version it is given and
// any other record with zeros, for tests of the connection itself; the simulated
// driver covers the rest.
#pragma once

#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "driver/DeviceIo.h"
#include "driver/DriverRecords.h"

struct FakeCall {
    uint32_t code;
    std::vector<uint8_t> input;
    uint32_t inSize;
    uint32_t outSize;
};

class CFakeDeviceIo final : public IDeviceIo {
public:
    DeviceHandle Open(const char* path, uint32_t& error) override;
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t& bytesReturned) override;
    void Close(DeviceHandle handle) override;

    // Makes every Control wait inside the call until Release.
    void HoldControls();
    void WaitUntilInside(int entered);
    void Release();

    std::vector<std::string> openedPaths;
    std::vector<DeviceHandle> closed;
    std::vector<FakeCall> calls;
    _DRIVER_VERSION_INFO version{2, 14, 1, 0, 0, 0};
    uint32_t openError = 0;        // non-zero: every open fails with it
    int maxConcurrent = 0;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_hold = false;
    int m_inside = 0;
    int m_entered = 0;
    uintptr_t m_nextHandle = 0x40;
};

// A test whose connections all reach a fresh fake device.
class FakeConnection : public ::testing::Test {
protected:
    FakeConnection() { SetDeviceIo(&io); }
    ~FakeConnection() override { SetDeviceIo(nullptr); }

    CFakeDeviceIo io;
};
