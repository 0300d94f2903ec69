// How another program uses the driver of a running OVX_CPL_Sim.exe as if it were the
// control device: each open, request and close travels to the bus window as WM_COPYDATA
// (kSimRemoteCallData, the sender's reply window in wParam), and the window sends the
// outcome back to that window (kSimRemoteAnswerData) before it returns. The calls are
// the simulated driver's own, so they land in the panel's request trace and raise the
// events the driver raises for any caller.
#pragma once
#include <cstdint>

constexpr uintptr_t kSimRemoteCallData = 0x4F565852;     // "OVXR"
constexpr uintptr_t kSimRemoteAnswerData = 0x4F565851;   // "OVXQ"
constexpr uint32_t kSimRemoteLimit = 256 * 1024;          // input or output; more is refused

enum class SimRemoteVerb : uint32_t { Open = 1, Control = 2, Close = 3 };

// Followed by inSize bytes: the device path for Open, the request's input for Control.
struct SimRemoteCall {
    SimRemoteVerb verb;
    uint32_t connection;   // the window's number for the connection (Control, Close)
    uint32_t code;
    uint32_t outSize;
};

// Followed by bytesReturned bytes of output.
struct SimRemoteAnswer {
    uint32_t error;        // the system's error code, 0 on success
    uint32_t connection;   // Open: the number to use for this connection
    uint32_t bytesReturned;
};
