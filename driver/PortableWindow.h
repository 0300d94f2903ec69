// Where there are no windows, a window handle of the notifier names one of these:
// a queue that collects what is posted to it, for the thread that reads it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

struct PortableMessage {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class CPortableWindow {
public:
    // Runs on the posting thread before each message is queued.
    std::function<void()> beforePost;

    void Post(const PortableMessage& message);
    size_t Count() const;
    std::vector<PortableMessage> Messages() const;
    // True once at least count messages arrived within the time.
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_posted;
    std::vector<PortableMessage> m_messages;
};

namespace OsSync::Portable {

// For tests: how long each worker thread lingers after its entry returned, like a
// thread the scheduler leaves waiting on its way out.
void SetThreadEndDelay(std::chrono::milliseconds delay);

// Threads started and not yet ended.
int RunningThreads();

}  // namespace OsSync::Portable
