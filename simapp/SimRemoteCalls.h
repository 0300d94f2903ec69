// The bus window's side of the remote calls: the connections other programs opened on
// the simulated driver, by a number of the window's own, so that a number from outside
// never reaches the driver as a handle, and what a program left open is closed with the
// window.
//
// An event a program registers is a handle of its own process, which the driver here
// could not signal: the window duplicates it from the sender's process into this one and
// registers the copy, so that the driver's signal reaches the program's own event. The
// window leaving is the driver leaving for those programs: it signals their events once
// more, and nothing answers them after.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <vector>

#include "sim/SimDriver.h"
#include "ui/Handles.h"

class CSimRemoteCalls {
public:
    explicit CSimRemoteCalls(CSimDriver& driver) : m_driver(driver) {}
    ~CSimRemoteCalls() { CloseAll(); }
    CSimRemoteCalls(const CSimRemoteCalls&) = delete;
    CSimRemoteCalls& operator=(const CSimRemoteCalls&) = delete;

    // One call as it came (a SimRemoteCall and its input) from the process senderProcess;
    // the SimRemoteAnswer and its output to send back. Empty when the bytes are not a call.
    std::vector<uint8_t> Answer(const void* bytes, size_t size, DWORD senderProcess);
    // Answers the call in data to the sender's reply window, as from window.
    void Reply(HWND window, HWND sender, const COPYDATASTRUCT& data);
    void CloseAll();

private:
    struct Connection {
        DeviceHandle handle = nullptr;
        CKernelHandle event;   // the registered event, duplicated into this process
    };

    uint32_t RegisterEvent(Connection& connection, const uint8_t* input, uint32_t inSize, DWORD senderProcess);

    CSimDriver& m_driver;
    std::map<uint32_t, Connection> m_connections;
    uint32_t m_nextNumber = 1;
};
