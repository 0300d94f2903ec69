// The bus window's side of the remote calls: the connections other programs opened on
// the simulated driver, by a number of the window's own, so that a number from outside
// never reaches the driver as a handle, and what a program left open is closed with the
// window.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <vector>

#include "sim/SimDriver.h"

class CSimRemoteCalls {
public:
    explicit CSimRemoteCalls(CSimDriver& driver) : m_driver(driver) {}
    ~CSimRemoteCalls() { CloseAll(); }
    CSimRemoteCalls(const CSimRemoteCalls&) = delete;
    CSimRemoteCalls& operator=(const CSimRemoteCalls&) = delete;

    // One call as it came (a SimRemoteCall and its input); the SimRemoteAnswer and its
    // output to send back. Empty when the bytes are not a call.
    std::vector<uint8_t> Answer(const void* bytes, size_t size);
    // Answers the call in data to the sender's reply window, as from window.
    void Reply(HWND window, HWND sender, const COPYDATASTRUCT& data);
    void CloseAll();

private:
    CSimDriver& m_driver;
    std::map<uint32_t, DeviceHandle> m_connections;
    uint32_t m_nextNumber = 1;
};
