#include "simapp/SimRemoteDeviceIo.h"

#include <cstring>
#include <string>
#include <vector>

#include "driver/ResultCodes.h"
#include "simapp/SimRemoteCall.h"
#include "simapp/SimStatementMessage.h"

namespace {

// A driver answers at once; a delay the bus was told to make is at most this long.
constexpr UINT kPatienceMs = 60000;

DeviceHandle HandleOf(uint32_t connection) { return reinterpret_cast<DeviceHandle>(uintptr_t{connection}); }
uint32_t ConnectionOf(DeviceHandle handle) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle)); }

}  // namespace

bool CSimRemoteDeviceIo::Connect()
{
    m_bus = FindSimBusWindow();
    return m_bus && m_reply.Created();
}

bool CSimRemoteDeviceIo::Call(const SimRemoteCall& call, const void* in, uint32_t inSize, SimRemoteAnswer& answer)
{
    if (inSize > kSimRemoteLimit)
        return false;
    std::vector<uint8_t> bytes(sizeof call + inSize);
    std::memcpy(bytes.data(), &call, sizeof call);
    if (inSize > 0)
        std::memcpy(bytes.data() + sizeof call, in, inSize);
    LRESULT result = 0;
    if (!m_reply.Exchange(m_bus, kSimRemoteCallData, bytes.data(), bytes.size(), kSimRemoteAnswerData, kPatienceMs,
                          result) ||
        result != kSimApplied)
        return false;
    const std::string& reply = m_reply.Reply();
    if (reply.size() < sizeof answer)
        return false;
    std::memcpy(&answer, reply.data(), sizeof answer);
    return answer.bytesReturned == reply.size() - sizeof answer && answer.bytesReturned <= call.outSize;
}

DeviceHandle CSimRemoteDeviceIo::Open(const char* path, uint32_t& error)
{
    const SimRemoteCall call{SimRemoteVerb::Open, 0, 0, 0};
    SimRemoteAnswer answer{};
    if (!Call(call, path, static_cast<uint32_t>(std::strlen(path)), answer)) {
        error = WinError::FileNotFound;
        return nullptr;
    }
    error = answer.error;
    return answer.error == 0 && answer.connection != 0 ? HandleOf(answer.connection) : nullptr;
}

uint32_t CSimRemoteDeviceIo::Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out,
                                     uint32_t outSize, uint32_t& bytesReturned)
{
    bytesReturned = 0;
    const SimRemoteCall call{SimRemoteVerb::Control, ConnectionOf(handle), code, outSize};
    SimRemoteAnswer answer{};
    // A bus window that is gone is a driver whose device went away under the handle.
    if (!Call(call, in, inSize, answer))
        return WinError::DeviceNotConnected;
    if (answer.bytesReturned > 0 && out)
        std::memcpy(out, m_reply.Reply().data() + sizeof answer, answer.bytesReturned);
    bytesReturned = out ? answer.bytesReturned : 0;
    return answer.error;
}

void CSimRemoteDeviceIo::Close(DeviceHandle handle)
{
    const SimRemoteCall call{SimRemoteVerb::Close, ConnectionOf(handle), 0, 0};
    SimRemoteAnswer answer{};
    Call(call, nullptr, 0, answer);
}
