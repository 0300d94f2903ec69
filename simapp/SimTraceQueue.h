// Requests on their way from the driver's trace listener to the window. The listener
// runs with the driver's lock held on any thread, so it only queues and, when the
// queue was empty, wakes the window (a post); the window takes the lot on its thread.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

#include "sim/SimDriver.h"

struct SimTraceRow {
    std::chrono::steady_clock::time_point time;
    SimTraceEntry entry;
};

class CSimTraceQueue {
public:
    // At most this many rows wait; a window that does not take them loses the oldest.
    static constexpr size_t kLimit = 4096;

    explicit CSimTraceQueue(std::function<void()> wake) : m_wake(std::move(wake)) {}

    void Push(const SimTraceEntry& entry);
    std::vector<SimTraceRow> Take();

private:
    std::function<void()> m_wake;
    std::mutex m_mutex;
    std::vector<SimTraceRow> m_rows;
    bool m_bWoken = false;   // a wake is on its way and the window has not taken yet
};
