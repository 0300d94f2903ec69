// The event notifier: one posted message per wake-up of its worker, a target that can
// be cleared, and starts and stops that begin from scratch.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Notificator.h"
#include "sim/SimDriver.h"
#include "tests/harness/TestMessageTarget.h"

#ifndef _WIN32
#include "driver/PortableWindow.h"
#endif

namespace {

constexpr uint32_t kDriverEventMessage = 0x8002;
constexpr auto kPatience = std::chrono::seconds(10);

class CTestNotificator : public COvx1394Notificator {
public:
    using COvx1394Notificator::COvx1394Notificator;
    using COvx1394Notificator::DriverEvent;
    std::recursive_mutex& Lock() { return m_lock; }

    uint32_t DriverEventValue() const
    {
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(DriverEvent()));
    }
};

// Returns once the worker has taken the driver event's signal off it.
void WaitUntilSignalTaken(CTestNotificator& notifier)
{
    while (OsSync::TryConsumeEvent(notifier.DriverEvent())) {
        OsSync::SignalEvent(notifier.DriverEvent());   // not ours to take: put it back
        std::this_thread::yield();
    }
}

class Notifier : public ::testing::Test {
protected:
    void WaitUntilSignalTaken() { ::WaitUntilSignalTaken(notifier); }

    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    CTestMessageTarget target;
    CTestNotificator notifier;
};

}  // namespace

TEST_F(Notifier, StartRegistersItsEventOnItsOwnConnection)
{
    COvx1394Driver shared;
    ASSERT_EQ(shared.Open(kOvxDeviceName), DRV_OK);
    sim.ClearTrace();
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    EXPECT_TRUE(notifier.IsRunning());
    EXPECT_TRUE(notifier.IsOpen());

    const std::vector<SimTraceEntry> trace = sim.Trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].code, OvxIoctl::GetDriverVersion);
    EXPECT_EQ(trace[1].code, OvxIoctl::RegisterNotificationEvent);
    EXPECT_EQ(trace[1].connection, 2u);
    EXPECT_EQ(sim.RegisteredEvent(2), notifier.DriverEventValue());
    EXPECT_EQ(sim.RegisteredEvent(1), 0u);
    EXPECT_EQ(notifier.Stop(), DRV_OK);
}

TEST_F(Notifier, EachDriverSignalPostsTheConfiguredMessage)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 7, -3);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    sim.RaiseEvent(EvtType_StreamingRestarted);
    ASSERT_TRUE(target.WaitForCount(1, kPatience));
    const ReceivedMessage message = target.Received().at(0);
    EXPECT_EQ(message.message, kDriverEventMessage);
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_EQ(message.lParam, -3);

    // The message carries nothing; the event itself waits on the notifier's connection.
    _DRIVER_EVENT_INFO event{};
    EXPECT_EQ(notifier.GetNextEvent(&event), DRV_OK);
    EXPECT_EQ(event.kind, EvtType_StreamingRestarted);
    EXPECT_NE(notifier.GetNextEvent(&event), DRV_OK);
    EXPECT_EQ(notifier.Stop(), DRV_OK);
}

TEST_F(Notifier, TwoSignalsBeforeTheWorkerWakesGiveOneMessage)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    {
        // Holding the lock keeps the woken worker from posting, and so from waiting again.
        std::lock_guard hold(notifier.Lock());
        sim.RaiseEvent(EvtType_BusReset);
        WaitUntilSignalTaken();
        sim.RaiseEvent(EvtType_StreamingRestarted);
        sim.RaiseEvent(EvtType_DomainConfigurationChanged);
    }
    ASSERT_TRUE(target.WaitForCount(2, kPatience));
    EXPECT_EQ(notifier.Stop(), DRV_OK);   // the worker has ended: nothing more can come
    EXPECT_EQ(target.Received().size(), 2u);
}

TEST_F(Notifier, AClearedTargetConsumesSignalsAndPostsNothing)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    notifier.SetTarget(nullptr, 0, 0, 0);
    sim.RaiseEvent(EvtType_BusReset);
    WaitUntilSignalTaken();
    // Stop waits for the worker, so whatever it did with the signal is done.
    ASSERT_EQ(notifier.Stop(), DRV_OK);
    EXPECT_TRUE(target.Received().empty());

    notifier.SetTarget(target.Handle(), kDriverEventMessage, 1, 0);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    sim.RaiseEvent(EvtType_BusReset);
    ASSERT_TRUE(target.WaitForCount(1, kPatience));
    EXPECT_EQ(notifier.Stop(), DRV_OK);
    const std::vector<ReceivedMessage> received = target.Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 1u);
}

TEST_F(Notifier, StopOnAnIdleNotifierReturnsZero)
{
    EXPECT_EQ(notifier.Stop(), DRV_OK);
    EXPECT_FALSE(notifier.IsRunning());
    EXPECT_FALSE(notifier.IsOpen());
    EXPECT_EQ(notifier.Stop(), DRV_OK);
}

TEST_F(Notifier, StopEndsTheWorkerAndClosesTheConnection)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(notifier.Stop(), DRV_OK);
    EXPECT_FALSE(notifier.IsRunning());
    EXPECT_EQ(sim.OpenConnections(), 0u);
    // Nothing listens any more: a signal now stays on the event.
    OsSync::SignalEvent(notifier.DriverEvent());
    EXPECT_TRUE(OsSync::TryConsumeEvent(notifier.DriverEvent()));
    EXPECT_TRUE(target.Received().empty());
}

TEST_F(Notifier, AFailedStartLeavesItIdleAndTheNextStartsFromScratch)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    sim.SetDriverPresent(false);
    EXPECT_EQ(notifier.Start(kOvxDeviceName), 2u);
    EXPECT_FALSE(notifier.IsRunning());
    EXPECT_FALSE(notifier.IsOpen());

    sim.SetDriverPresent(true);
    sim.FailRequest(OvxIoctl::RegisterNotificationEvent, 87);
    EXPECT_EQ(notifier.Start(kOvxDeviceName), 87u);
    EXPECT_FALSE(notifier.IsRunning());
    EXPECT_EQ(sim.OpenConnections(), 0u);

    // A signal left from before is stale and must not reach the target.
    OsSync::SignalEvent(notifier.DriverEvent());
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    EXPECT_TRUE(notifier.IsRunning());
    EXPECT_EQ(notifier.Stop(), DRV_OK);
    EXPECT_TRUE(target.Received().empty());
}

TEST_F(Notifier, StopThenStartReusesTheSameEvents)
{
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    const uint32_t value = notifier.DriverEventValue();
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    ASSERT_EQ(notifier.Stop(), DRV_OK);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(notifier.DriverEventValue(), value);
    EXPECT_EQ(sim.RegisteredEvent(2), value);
    sim.RaiseEvent(EvtType_DomainConfigurationChanged);
    EXPECT_TRUE(target.WaitForCount(1, kPatience));
    EXPECT_EQ(notifier.Stop(), DRV_OK);
}

// A worker held up past Stop's wait (here by the lock, as a request on the GUI thread
// holds it) keeps its stop signal: no second worker starts on the same events before
// it has ended, and the one started after it is the only one.
TEST(NotifierLingering, StartAfterAWorkerOutlivedStopRunsOneWorker)
{
    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    CTestMessageTarget target;
    CTestNotificator notifier(20);
    notifier.SetTarget(target.Handle(), kDriverEventMessage, 0, 0);
    ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
    {
        std::lock_guard hold(notifier.Lock());
        sim.RaiseEvent(EvtType_BusReset);
        WaitUntilSignalTaken(notifier);
        EXPECT_EQ(notifier.Stop(), ERROR_DRV_THREAD);
        EXPECT_EQ(notifier.Start(kOvxDeviceName), ERROR_DRV_THREAD);
        EXPECT_FALSE(notifier.IsRunning());
        EXPECT_FALSE(notifier.IsOpen());
    }
    // Freed, the old worker posts what it woke for, takes its stop signal and ends.
    ASSERT_TRUE(target.WaitForCount(1, kPatience));
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    DrvResult started;
    while ((started = notifier.Start(kOvxDeviceName)) == ERROR_DRV_THREAD &&
           std::chrono::steady_clock::now() < deadline) {
    }
    ASSERT_EQ(started, DRV_OK);
    sim.RaiseEvent(EvtType_StreamingRestarted);
    ASSERT_TRUE(target.WaitForCount(2, kPatience));
    EXPECT_EQ(notifier.Stop(), DRV_OK);
    EXPECT_EQ(target.Received().size(), 2u);
}

#ifndef _WIN32
// A worker that has not ended when Stop's wait runs out is reported, and the notifier
// is not destroyed before that worker has really ended.
TEST(NotifierLingering, AWorkerThatOutlivesStopIsAwaitedBeforeDestruction)
{
    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    CPortableWindow window;
    const int threadsBefore = OsSync::Portable::RunningThreads();
    OsSync::Portable::SetThreadEndDelay(std::chrono::milliseconds(300));
    {
        CTestNotificator notifier(20);
        notifier.SetTarget(&window, kDriverEventMessage, 0, 0);
        ASSERT_EQ(notifier.Start(kOvxDeviceName), DRV_OK);
        EXPECT_EQ(notifier.Stop(), ERROR_DRV_THREAD);
        EXPECT_FALSE(notifier.IsRunning());
        EXPECT_FALSE(notifier.IsOpen());
        EXPECT_EQ(OsSync::Portable::RunningThreads(), threadsBefore + 1);
    }
    OsSync::Portable::SetThreadEndDelay(std::chrono::milliseconds(0));
    EXPECT_EQ(OsSync::Portable::RunningThreads(), threadsBefore);
}
#endif
