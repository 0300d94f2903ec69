#include "sim/SimInterfaceListeners.h"

#include <vector>

int CSimInterfaceListeners::Add(Listener listener)
{
    std::lock_guard lock(m_mutex);
    const int cookie = m_nextCookie++;
    m_listeners[cookie] = std::move(listener);
    return cookie;
}

void CSimInterfaceListeners::Remove(int cookie)
{
    std::lock_guard lock(m_mutex);
    m_listeners.erase(cookie);
}

void CSimInterfaceListeners::Notify(bool arrived) const
{
    std::vector<Listener> listeners;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& [cookie, listener] : m_listeners)
            listeners.push_back(listener);
    }
    for (const Listener& listener : listeners)
        listener(arrived);
}
