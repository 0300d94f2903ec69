// The drop-out count watched while the driver streams, shown or hidden: a timer every
// 5 seconds that the system may coalesce with others (a second of tolerance), running
// only while the last refresh found streaming, and none at all otherwise.
#pragma once
#include <windows.h>
#include <chrono>
#include <cstdint>
#include <optional>
#include "app/DropOutTally.h"
#include "protocol/DriverChanges.h"

class CDropOutWatch {
public:
    static constexpr UINT_PTR kTimer = 0x5833;
    static constexpr UINT kPeriodMilliseconds = 5000;
    static constexpr ULONG kToleranceMilliseconds = 1000;

    void Init(HWND frame) { m_hFrame = frame; }
    // Starts or stops the timer after a refresh: it runs exactly while the driver streams.
    void Follow(const DriverFindings& found);
    void Stop();
    // The timer's turn: reads the driver's count; the rise since the reading before. A
    // count read by another within the period is not asked for again (0).
    uint32_t Read(CDropOutTally::Clock::time_point now);
    // A count another reader (the settings page, once a second) read: the rise.
    uint32_t Take(uint32_t count, CDropOutTally::Clock::time_point now);
    CDropOutTally& Tally() { return m_tally; }
    bool Running() const { return m_bRunning; }
    // When the watch that runs now began, or none.
    std::optional<std::chrono::system_clock::time_point> Since() const
    {
        return m_bRunning ? std::optional(m_since) : std::nullopt;
    }

private:
    HWND m_hFrame = nullptr;
    bool m_bRunning = false;
    std::chrono::system_clock::time_point m_since;
    CDropOutTally::Clock::time_point m_lastTaken{};
    CDropOutTally m_tally;
};
