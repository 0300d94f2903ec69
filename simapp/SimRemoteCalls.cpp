#include "simapp/SimRemoteCalls.h"

#include <cstring>
#include <string>

#include "driver/ResultCodes.h"
#include "simapp/SimRemoteCall.h"
#include "simapp/SimReplyWindow.h"

std::vector<uint8_t> CSimRemoteCalls::Answer(const void* bytes, size_t size)
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
            m_connections[answer.connection] = handle;
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
        output.resize(call.outSize);
        answer.error = m_driver.Control(it->second, call.code, inSize ? input : nullptr, inSize,
                                        output.empty() ? nullptr : output.data(), call.outSize, answer.bytesReturned);
        output.resize(answer.bytesReturned < output.size() ? answer.bytesReturned : output.size());
        answer.bytesReturned = static_cast<uint32_t>(output.size());
        break;
    }
    case SimRemoteVerb::Close:
        if (const auto it = m_connections.find(call.connection); it != m_connections.end()) {
            m_driver.Close(it->second);
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

void CSimRemoteCalls::Reply(HWND window, HWND sender, const COPYDATASTRUCT& data)
{
    const std::vector<uint8_t> answer = Answer(data.lpData, data.cbData);
    if (!answer.empty())
        SendSimAnswer(window, sender, kSimRemoteAnswerData, answer.data(), answer.size());
}

void CSimRemoteCalls::CloseAll()
{
    for (const auto& [number, handle] : m_connections)
        m_driver.Close(handle);
    m_connections.clear();
}
