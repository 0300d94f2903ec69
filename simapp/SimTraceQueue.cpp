#include "simapp/SimTraceQueue.h"

void CSimTraceQueue::Push(const SimTraceEntry& entry)
{
    bool wake = false;
    {
        std::lock_guard lock(m_mutex);
        if (m_rows.size() >= kLimit)
            m_rows.erase(m_rows.begin(), m_rows.begin() + kLimit / 4);
        m_rows.push_back({std::chrono::steady_clock::now(), entry});
        wake = !m_bWoken;
        m_bWoken = true;
    }
    if (wake && m_wake)
        m_wake();
}

std::vector<SimTraceRow> CSimTraceQueue::Take()
{
    std::lock_guard lock(m_mutex);
    m_bWoken = false;
    std::vector<SimTraceRow> rows;
    rows.swap(m_rows);
    return rows;
}
