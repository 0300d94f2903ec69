#include "sim/SimFaults.h"

void CSimFaults::Fail(uint32_t code, uint32_t error, FaultRepeat repeat, uint32_t skip)
{
    m_failures[code] = {error, repeat, skip};
}

void CSimFaults::Delay(uint32_t code, std::chrono::milliseconds delay)
{
    m_delays[code] = delay;
}

void CSimFaults::Malform(uint32_t code, Malformation malformation, FaultRepeat repeat)
{
    m_malformations[code] = {malformation, repeat};
}

void CSimFaults::Clear()
{
    m_failures.clear();
    m_delays.clear();
    m_malformations.clear();
    m_endlessEvents.reset();
}

std::optional<uint32_t> CSimFaults::TakeFailure(uint32_t code)
{
    const auto it = m_failures.find(code);
    if (it == m_failures.end())
        return std::nullopt;
    if (it->second.skip > 0) {
        --it->second.skip;
        return std::nullopt;
    }
    const uint32_t error = it->second.error;
    if (it->second.repeat == FaultRepeat::Once)
        m_failures.erase(it);
    return error;
}

std::chrono::milliseconds CSimFaults::DelayOf(uint32_t code) const
{
    const auto it = m_delays.find(code);
    return it == m_delays.end() ? std::chrono::milliseconds(0) : it->second;
}

std::optional<Malformation> CSimFaults::TakeMalformation(uint32_t code)
{
    const auto it = m_malformations.find(code);
    if (it == m_malformations.end())
        return std::nullopt;
    const Malformation malformation = it->second.malformation;
    if (it->second.repeat == FaultRepeat::Once)
        m_malformations.erase(it);
    return malformation;
}
