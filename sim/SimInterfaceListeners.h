// Who is told when the driver's control device interface arrives or leaves. Listeners
// are called without any lock held, so they may ask the driver at once.
#pragma once

#include <functional>
#include <map>
#include <mutex>

class CSimInterfaceListeners {
public:
    using Listener = std::function<void(bool arrived)>;

    // A cookie for Remove.
    int Add(Listener listener);
    void Remove(int cookie);
    void Notify(bool arrived) const;

private:
    mutable std::mutex m_mutex;
    std::map<int, Listener> m_listeners;
    int m_nextCookie = 1;
};
