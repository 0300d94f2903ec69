// The ASIO drop-outs the panel counts while the driver streams: each reading of the
// driver's counter gives the rise since the reading before; the rises of the last
// minute make the tray's warning and its balloon, which comes at most once a minute.
// Needs no window or clock of its own: the frame's timer reads, and passes the time.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <utility>

class CDropOutTally {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds kWindow{60};

    // The driver's count now: the rise since the last reading, 0 for the first reading
    // or for a counter that started again from zero.
    uint32_t OnReading(uint32_t count, Clock::time_point now);
    // The readings stopped (no streaming, no driver): the next reading is a first one.
    void Pause() { m_hasLast = false; }

    // The drop-outs counted in the last minute.
    uint32_t InLastMinute(Clock::time_point now);
    // True, once a minute at most, when there is something to tell; the balloon is told.
    bool TakeBalloon(Clock::time_point now);

private:
    bool m_hasLast = false;
    uint32_t m_last = 0;
    std::deque<std::pair<Clock::time_point, uint32_t>> m_rises;
    bool m_told = false;
    Clock::time_point m_lastTold{};
};
