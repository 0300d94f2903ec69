// Device I/O on the simulated driver of a running OVX_CPL_Sim.exe: every open, request
// and close is handed to its bus window, so that another program (ovxctl --sim-bus)
// reads and changes the very bus the panel shows.
#pragma once
#include <windows.h>

#include "driver/DeviceIo.h"
#include "simapp/SimRemoteCall.h"
#include "simapp/SimReplyWindow.h"

class CSimRemoteDeviceIo final : public IDeviceIo {
public:
    // False when no simulated bus is running or no reply window can be made.
    bool Connect();

    DeviceHandle Open(const char* path, uint32_t& error) override;
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& bytesReturned) override;
    void Close(DeviceHandle handle) override;

private:
    // One call; false when the bus window did not answer it (gone, or not answering).
    bool Call(const SimRemoteCall& call, const void* in, uint32_t inSize, SimRemoteAnswer& answer);

    HWND m_bus = nullptr;
    CSimReplyWindow m_reply;
};
