#include "simapp/SimRemoteCalls.h"

#include <cstring>
#include <string>

#include "driver/ControlCodes.h"
#include "driver/ResultCodes.h"
#include "simapp/SimRemoteCall.h"
#include "simapp/SimReplyWindow.h"

std::vector<uint8_t> CSimRemoteCalls::Answer(const void* bytes, size_t size, DWORD senderProcess)
{
    SimRemoteCall call{};
    if (!bytes || size < sizeof call || size - sizeof call > kSimRemoteLimit)
        return {};
    std::memcpy(&call, bytes, sizeof call);
    const auto* input = static_cast<const uint8_t*>(bytes) + sizeof call;
    const auto inSize = static_cast<uint32_t>(size - sizeof call);

    SimRemoteAnswer answer{};
    std::vector<uint8_t> output;
    switch (call.verb) {
    case SimRemoteVerb::Open: {
        const std::string path(reinterpret_cast<const char*>(input), inSize);
        if (DeviceHandle handle = m_driver.Open(path.c_str(), answer.error)) {
            answer.connection = m_nextNumber++;
            m_connections[answer.connection].handle = handle;
        }
        break;
    }
    case SimRemoteVerb::Control: {
        const auto it = m_connections.find(call.connection);
        if (it == m_connections.end()) {
            answer.error = WinError::InvalidHandle;
            break;
        }
        if (call.outSize > kSimRemoteLimit)
            return {};
        // With room for an answer, the driver refuses the request by its sizes alone.
        if (call.code == OvxIoctl::RegisterNotificationEvent && call.outSize == 0) {
            answer.error = RegisterEvent(it->second, input, inSize, senderProcess);
            break;
        }
        output.resize(call.outSize);
        answer.error = m_driver.Control(it->second.handle, call.code, inSize ? input : nullptr, inSize,
                                        output.empty() ? nullptr : output.data(), call.outSize, answer.bytesReturned);
        output.resize(answer.bytesReturned < output.size() ? answer.bytesReturned : output.size());
        answer.bytesReturned = static_cast<uint32_t>(output.size());
        break;
    }
    case SimRemoteVerb::Close:
        if (const auto it = m_connections.find(call.connection); it != m_connections.end()) {
            // The event is closed after the connection, once the driver can no longer signal it.
            m_driver.Close(it->second.handle);
            m_connections.erase(it);
        }
        break;
    default:
        return {};
    }
    std::vector<uint8_t> reply(sizeof answer + output.size());
    std::memcpy(reply.data(), &answer, sizeof answer);
    if (!output.empty())
        std::memcpy(reply.data() + sizeof answer, output.data(), output.size());
    return reply;
}

uint32_t CSimRemoteCalls::RegisterEvent(Connection& connection, const uint8_t* input, uint32_t inSize,
                                        DWORD senderProcess)
{
    // The caller's value is a handle of its process and is never used here as it came: a
    // value that cannot be duplicated from there reaches the driver as no handle, which
    // the driver refuses.
    uint32_t theirs = 0;
    CKernelHandle copy;
    if (inSize == sizeof theirs) {
        std::memcpy(&theirs, input, sizeof theirs);
        const CKernelHandle process(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, senderProcess));
        // Handle values are sign-extended from the 32 bits a driver receives.
        const auto source = reinterpret_cast<HANDLE>(static_cast<intptr_t>(static_cast<int32_t>(theirs)));
        HANDLE duplicate = nullptr;
        if (process && theirs != 0 &&
            ::DuplicateHandle(process.Get(), source, ::GetCurrentProcess(), &duplicate, EVENT_MODIFY_STATE, FALSE, 0))
            copy.Reset(duplicate);
    }
    // A handle value of this process fits in the 32 bits the driver keeps.
    const auto ours = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(copy.Get()));
    uint32_t bytesReturned = 0;
    const uint32_t result = m_driver.Control(connection.handle, OvxIoctl::RegisterNotificationEvent, &ours,
                                             inSize == sizeof ours ? inSize : 0, nullptr, 0, bytesReturned);
    if (result == 0)
        connection.event = std::move(copy);
    return result;
}

void CSimRemoteCalls::Reply(HWND window, HWND sender, const COPYDATASTRUCT& data)
{
    DWORD senderProcess = 0;
    ::GetWindowThreadProcessId(sender, &senderProcess);
    const std::vector<uint8_t> answer = Answer(data.lpData, data.cbData, senderProcess);
    if (!answer.empty())
        SendSimAnswer(window, sender, kSimRemoteAnswerData, answer.data(), answer.size());
}

void CSimRemoteCalls::CloseAll()
{
    for (const auto& [number, connection] : m_connections) {
        // The programs that listen wake to find their driver gone.
        if (connection.event)
            ::SetEvent(connection.event.Get());
        m_driver.Close(connection.handle);
    }
    m_connections.clear();
}
