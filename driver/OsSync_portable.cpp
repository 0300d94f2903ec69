// Portable events, threads and posting with the semantics of their Win32 models.
// Event handles are small numbers, so that, like Win32 handles, they survive being
// handed to the driver in 32 bits.
#include "driver/OsSync.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "driver/PortableWindow.h"

namespace OsSync {
namespace {

constexpr uintptr_t kFirstEventValue = 0x100;

// One lock and one condition for all events keeps waiting on two of them simple.
std::mutex g_eventsMutex;
std::condition_variable g_eventsChanged;
std::map<uintptr_t, bool> g_events;   // handle value -> signalled
uintptr_t g_nextEvent = kFirstEventValue;

struct ThreadState {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

struct PortableThread {
    std::thread thread;
    std::shared_ptr<ThreadState> state;
};

std::atomic<int64_t> g_threadEndDelayMs{0};
std::atomic<int> g_runningThreads{0};

uintptr_t Value(EventHandle event)
{
    return reinterpret_cast<uintptr_t>(event);
}

}  // namespace

EventHandle CreateAutoResetEvent()
{
    std::lock_guard lock(g_eventsMutex);
    const uintptr_t value = g_nextEvent;
    g_nextEvent += 4;
    g_events[value] = false;
    return reinterpret_cast<EventHandle>(value);
}

void CloseEvent(EventHandle event)
{
    std::lock_guard lock(g_eventsMutex);
    g_events.erase(Value(event));
    g_eventsChanged.notify_all();   // a waiter on it now fails, as on Windows
}

bool SignalEvent(EventHandle event)
{
    std::lock_guard lock(g_eventsMutex);
    const auto it = g_events.find(Value(event));
    if (it == g_events.end())
        return false;
    it->second = true;
    g_eventsChanged.notify_all();
    return true;
}

bool ResetEvent(EventHandle event)
{
    std::lock_guard lock(g_eventsMutex);
    const auto it = g_events.find(Value(event));
    if (it == g_events.end())
        return false;
    it->second = false;
    return true;
}

bool TryConsumeEvent(EventHandle event)
{
    std::lock_guard lock(g_eventsMutex);
    const auto it = g_events.find(Value(event));
    if (it == g_events.end() || !it->second)
        return false;
    it->second = false;
    return true;
}

int WaitForEither(EventHandle first, EventHandle second)
{
    std::unique_lock lock(g_eventsMutex);
    for (;;) {
        const auto a = g_events.find(Value(first));
        const auto b = g_events.find(Value(second));
        if (a == g_events.end() || b == g_events.end())
            return -1;
        // The first signalled event wins and is reset by the wait, as auto-reset events are.
        if (a->second) {
            a->second = false;
            return 0;
        }
        if (b->second) {
            b->second = false;
            return 1;
        }
        g_eventsChanged.wait(lock);
    }
}

ThreadHandle StartThread(unsigned (*entry)(void*), void* argument)
{
    auto portable = std::make_unique<PortableThread>();
    portable->state = std::make_shared<ThreadState>();
    try {
        ++g_runningThreads;
        portable->thread = std::thread([entry, argument, state = portable->state] {
            entry(argument);
            std::this_thread::sleep_for(std::chrono::milliseconds(g_threadEndDelayMs.load()));
            --g_runningThreads;
            std::lock_guard lock(state->mutex);
            state->done = true;
            state->ended.notify_all();
        });
    } catch (const std::system_error&) {
        --g_runningThreads;
        return nullptr;
    }
    return portable.release();
}

WaitResult WaitForThread(ThreadHandle thread, uint32_t milliseconds)
{
    auto* portable = static_cast<PortableThread*>(thread);
    if (!portable)
        return WaitResult::Failed;
    std::unique_lock lock(portable->state->mutex);
    const auto done = [&] { return portable->state->done; };
    if (milliseconds == kInfinite)
        portable->state->ended.wait(lock, done);
    else if (!portable->state->ended.wait_for(lock, std::chrono::milliseconds(milliseconds), done))
        return WaitResult::TimedOut;
    return WaitResult::Ended;
}

void CloseThread(ThreadHandle thread)
{
    std::unique_ptr<PortableThread> portable(static_cast<PortableThread*>(thread));
    if (!portable || !portable->thread.joinable())
        return;
    bool done;
    {
        std::lock_guard lock(portable->state->mutex);
        done = portable->state->done;
    }
    // Closing the handle of a running thread lets it run on, as on Windows.
    if (done)
        portable->thread.join();
    else
        portable->thread.detach();
}

bool PostToWindow(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    auto* target = static_cast<CPortableWindow*>(window);
    if (!target)
        return false;
    target->Post({message, wParam, lParam});
    return true;
}

void SleepMilliseconds(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace OsSync

namespace OsSync::Portable {

void SetThreadEndDelay(std::chrono::milliseconds delay)
{
    g_threadEndDelayMs = delay.count();
}

int RunningThreads()
{
    return g_runningThreads;
}

}  // namespace OsSync::Portable

void CPortableWindow::Post(const PortableMessage& message)
{
    if (beforePost)
        beforePost();
    std::lock_guard lock(m_mutex);
    m_messages.push_back(message);
    m_posted.notify_all();
}

size_t CPortableWindow::Count() const
{
    std::lock_guard lock(m_mutex);
    return m_messages.size();
}

std::vector<PortableMessage> CPortableWindow::Messages() const
{
    std::lock_guard lock(m_mutex);
    return m_messages;
}

bool CPortableWindow::WaitForCount(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_posted.wait_for(lock, timeout, [&] { return m_messages.size() >= count; });
}
