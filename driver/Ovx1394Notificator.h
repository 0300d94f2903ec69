// The driver announces changes by signalling an event the panel handed to it. The
// notifier owns that event, its own connection to the driver and a worker thread
// that turns every wake-up into one posted window message; the receiver then fetches
// the pending events with GetNextEvent on this connection.
#pragma once

#include <cstdint>
#include <vector>

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
    // not running.
    DrvResult Start(const char* deviceName);
    // Ends the worker and closes the connection; ERROR_DRV_THREAD if it did not end in time.
    DrvResult Stop();
    bool IsRunning() const;

protected:
    OsSync::EventHandle DriverEvent() const { return m_hDriverEvent; }

private:
    static unsigned ThreadProc(void* self);
    void PostToTarget();

    OsSync::WindowHandle m_hWndTarget = nullptr;
    uint32_t m_nMessage = 0;
    uint32_t m_wParam = 0;
    int32_t m_lParam = 0;
    OsSync::ThreadHandle m_hThread = nullptr;
    OsSync::EventHandle m_hStopEvent = nullptr;
    OsSync::EventHandle m_hDriverEvent = nullptr;

    // Workers that outlived Stop's wait. The object reads and destroys nothing of
    // theirs until they have ended, which the destructor waits for.
    std::vector<OsSync::ThreadHandle> m_lingering;
    const uint32_t m_stopTimeoutMs;
};
