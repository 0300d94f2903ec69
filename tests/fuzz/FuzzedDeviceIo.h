// A driver whose every answer comes from the fuzzer's input: the result code, the
// byte count it reports and the bytes it writes. It also holds the connection to the
// catalogue: every request must carry exactly the buffer sizes the catalogue gives.
#pragma once

#include "driver/DeviceIo.h"
#include "tests/fuzz/FuzzInput.h"

class CFuzzedDeviceIo final : public IDeviceIo {
public:
    explicit CFuzzedDeviceIo(CFuzzInput& input) : m_input(input) {}

    DeviceHandle Open(const char* path, uint32_t& error) override;
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t& bytesReturned) override;
    void Close(DeviceHandle handle) override;

    int OpenHandles() const { return m_open; }

private:
    CFuzzInput& m_input;
    int m_open = 0;
};
