#include "app/DropOutWatch.h"

#include "driver/Drv.h"
#include "protocol/DriverReader.h"

namespace {

using CoalescableTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC, ULONG);

// SetCoalescableTimer lets the system wake for several timers at once; where it is
// missing, an ordinary timer does the same work.
UINT_PTR StartTimer(HWND window, UINT_PTR id, UINT period, ULONG tolerance)
{
    static const auto coalescable = reinterpret_cast<CoalescableTimerFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetCoalescableTimer")));
    if (coalescable)
        return coalescable(window, id, period, nullptr, tolerance);
    return ::SetTimer(window, id, period, nullptr);
}

}  // namespace

void CDropOutWatch::Follow(const DriverFindings& found)
{
    const bool streaming = found.driverReached && found.streaming == StreamingState::Streaming;
    if (streaming && !m_bRunning && m_hFrame) {
        m_bRunning = StartTimer(m_hFrame, kTimer, kPeriodMilliseconds, kToleranceMilliseconds) != 0;
        // The count when the watch starts is where its first rise is counted from.
        m_since = std::chrono::system_clock::now();
        Read(CDropOutTally::Clock::now());
    }
    else if (!streaming)
        Stop();
}

void CDropOutWatch::Stop()
{
    if (m_bRunning)
        ::KillTimer(m_hFrame, kTimer);
    m_bRunning = false;
    m_tally.Pause();
}

uint32_t CDropOutWatch::Take(uint32_t count, CDropOutTally::Clock::time_point now)
{
    m_lastTaken = now;
    return m_tally.OnReading(count, now);
}

uint32_t CDropOutWatch::Read(CDropOutTally::Clock::time_point now)
{
    // While the settings page counts once a second, its readings are the watch's.
    if (now - m_lastTaken < std::chrono::milliseconds(kPeriodMilliseconds))
        return 0;
    DriverState state;
    if (!CDriverReader(theDrv).Statistics(state).Ok())
        return 0;
    return m_tally.OnReading(state.DropOuts(), now);
}
