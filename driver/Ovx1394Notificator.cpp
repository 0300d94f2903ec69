#include "driver/Ovx1394Notificator.h"

COvx1394Notificator::COvx1394Notificator(uint32_t stopTimeoutMs)
    : m_hStopEvent(OsSync::CreateAutoResetEvent()),
      m_hDriverEvent(OsSync::CreateAutoResetEvent()),
      m_stopTimeoutMs(stopTimeoutMs)
{
}

COvx1394Notificator::~COvx1394Notificator()
{
    // Only a worker that outlived Stop, or one never stopped, can still be here, and
    // never both, since Start waits for the first. It reads this object: ask it again
    // and wait for it for as long as it takes. The events close after it has ended.
    if (m_hThread)
        m_lingering = std::move(m_hThread);
    if (m_lingering) {
        OsSync::SignalEvent(m_hStopEvent.Get());
        ReapLingering(OsSync::kInfinite);
    }
}

void COvx1394Notificator::SetTarget(OsSync::WindowHandle hWnd, uint32_t message, uint32_t wParam,
                                    int32_t lParam)
{
    std::lock_guard lock(m_lock);
    m_hWndTarget = hWnd;
    m_nMessage = message;
    m_wParam = wParam;
    m_lParam = lParam;
}

DrvResult COvx1394Notificator::Start(const char* deviceName)
{
    // Both workers would wait on the same two events: a new one starts only once the
    // one that outlived Stop has ended. Its stop signal must stay set for it to see.
    if (!ReapLingering(m_stopTimeoutMs))
        return ERROR_DRV_THREAD;

    std::lock_guard lock(m_lock);
    // Signals from before this start are stale.
    OsSync::ResetEvent(m_hStopEvent.Get());
    OsSync::ResetEvent(m_hDriverEvent.Get());

    DrvResult result = Open(deviceName);
    if (result != DRV_OK)
        return result;
    result = RegisterNotificationEvent(m_hDriverEvent.Get());
    if (result != DRV_OK) {
        Close();
        return result;
    }
    m_hThread.Reset(OsSync::StartThread(&COvx1394Notificator::ThreadProc, this));
    if (!m_hThread) {
        Close();
        return ERROR_DRV_THREAD;
    }
    return DRV_OK;
}

DrvResult COvx1394Notificator::Stop()
{
    OsSync::CThread thread;
    {
        std::lock_guard lock(m_lock);
        thread = std::move(m_hThread);
    }
    // The lock is free while waiting, so a worker that is about to post can finish.
    DrvResult result = DRV_OK;
    if (thread) {
        OsSync::SignalEvent(m_hStopEvent.Get());
        if (OsSync::WaitForThread(thread.Get(), m_stopTimeoutMs) != OsSync::WaitResult::Ended) {
            m_lingering = std::move(thread);
            result = ERROR_DRV_THREAD;
        }
    }
    // No request withdraws the event: closing the handle is enough for the driver.
    Close();
    return result;
}

bool COvx1394Notificator::ReapLingering(uint32_t milliseconds)
{
    if (!m_lingering)
        return true;
    if (OsSync::WaitForThread(m_lingering.Get(), milliseconds) != OsSync::WaitResult::Ended)
        return false;
    m_lingering.Reset();
    return true;
}

bool COvx1394Notificator::IsRunning() const
{
    std::lock_guard lock(m_lock);
    return static_cast<bool>(m_hThread);
}

unsigned COvx1394Notificator::ThreadProc(void* self)
{
    auto* notifier = static_cast<COvx1394Notificator*>(self);
    const OsSync::EventHandle stop = notifier->m_hStopEvent.Get();
    const OsSync::EventHandle driver = notifier->m_hDriverEvent.Get();
    for (;;) {
        switch (OsSync::WaitForEither(stop, driver)) {
        case 0:
            return 0;
        case 1:
            notifier->PostToTarget();
            break;
        default:
            // A wait that keeps failing must not make the worker deaf to Stop.
            if (OsSync::TryConsumeEvent(stop))
                return 0;
            OsSync::SleepMilliseconds(kWaitRetryMs);
            break;
        }
    }
}

void COvx1394Notificator::PostToTarget()
{
    // Posting under the lock makes SetTarget atomic with it: once a null target is set,
    // nothing more is posted. Posting never waits for the receiving thread.
    std::lock_guard lock(m_lock);
    if (m_hWndTarget)
        OsSync::PostToWindow(m_hWndTarget, m_nMessage, m_wParam, m_lParam);
}
