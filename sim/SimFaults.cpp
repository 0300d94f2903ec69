#include "sim/SimFaults.h"

#include <cstdio>

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

void CSimFaults::Remove(uint32_t code)
{
    m_failures.erase(code);
    m_delays.erase(code);
    m_malformations.erase(code);
}

std::vector<CSimFaults::Entry> CSimFaults::List() const
{
    std::vector<Entry> list;
    char text[64];
    for (const auto& [code, failure] : m_failures) {
        std::snprintf(text, sizeof text, "0x%08X%s", failure.error, failure.repeat == FaultRepeat::Always ? " always" : "");
        std::string words = text;
        if (failure.skip > 0)
            words += " skip " + std::to_string(failure.skip);
        list.push_back({code, words, Entry::Kind::Fail});
    }
    for (const auto& [code, delay] : m_delays) {
        if (delay.count() > 0)
            list.push_back({code, std::to_string(delay.count()), Entry::Kind::Delay});
    }
    static constexpr const char* kNames[] = {"unterminated", "counts", "short"};
    for (const auto& [code, misshape] : m_malformations) {
        std::string words = kNames[static_cast<int>(misshape.malformation)];
        if (misshape.repeat == FaultRepeat::Once)
            words += " once";
        list.push_back({code, words, Entry::Kind::Malform});
    }
    return list;
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
