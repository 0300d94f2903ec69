#include "app/DropOutTally.h"

uint32_t CDropOutTally::OnReading(uint32_t count, Clock::time_point now)
{
    const uint32_t rise = m_hasLast && count > m_last ? count - m_last : 0;
    m_hasLast = true;
    m_last = count;
    if (rise > 0)
        m_rises.emplace_back(now, rise);
    return rise;
}

uint32_t CDropOutTally::InLastMinute(Clock::time_point now)
{
    while (!m_rises.empty() && now - m_rises.front().first >= kWindow)
        m_rises.pop_front();
    uint32_t total = 0;
    for (const auto& [when, rise] : m_rises)
        total += rise;
    return total;
}

bool CDropOutTally::TakeBalloon(Clock::time_point now)
{
    if (InLastMinute(now) == 0 || (m_told && now - m_lastTold < kWindow))
        return false;
    m_told = true;
    m_lastTold = now;
    return true;
}
