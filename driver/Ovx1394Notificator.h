// The driver announces changes by signalling an event the panel handed to it. The
// notifier owns that event, its own connection to the driver and a worker thread
// that turns every wake-up into one posted window message; the receiver then fetches
// the pending events with GetNextEvent on this connection.
#pragma once

#include <cstdint>

#include "driver/OsSync.h"
#include "driver/Ovx1394Driver.h"

class COvx1394Notificator : public COvx1394Driver {
public:
    static constexpr uint32_t kStopTimeoutMs = 10000;
    static constexpr uint32_t kWaitRetryMs = 20;

    explicit COvx1394Notificator(uint32_t stopTimeoutMs = kStopTimeoutMs);
    ~COvx1394Notificator() override;

    // What to post on each driver signal; a null window posts nothing.
    void SetTarget(OsSync::WindowHandle hWnd, uint32_t message, uint32_t wParam, int32_t lParam);

    // Opens the connection, registers the event and starts the worker. Call only while
    // not running. A worker that outlived Stop is waited for as long as Stop waits;
    // ERROR_DRV_THREAD, with nothing done, if it is still there.
    DrvResult Start(const char* deviceName);
    // Ends the worker and closes the connection; ERROR_DRV_THREAD if it did not end in time.
    DrvResult Stop();
    bool IsRunning() const;

protected:
    OsSync::EventHandle DriverEvent() const { return m_hDriverEvent.Get(); }

private:
    static unsigned ThreadProc(void* self);
    void PostToTarget();
    // Closes the worker that outlived Stop once it has ended; false if it has not
    // within the time.
    bool ReapLingering(uint32_t milliseconds);

    OsSync::WindowHandle m_hWndTarget = nullptr;
    uint32_t m_nMessage = 0;
    uint32_t m_wParam = 0;
    int32_t m_lParam = 0;
    // Destroyed in reverse order: the driver event is closed before the stop event.
    OsSync::CThread m_hThread;
    OsSync::CEvent m_hStopEvent;
    OsSync::CEvent m_hDriverEvent;

    // The worker that outlived Stop's wait. Nothing of the object is released, and no
    // other worker started, until it has ended; the destructor waits for it.
    OsSync::CThread m_lingering;
    const uint32_t m_stopTimeoutMs;
};
