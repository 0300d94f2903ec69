// The view's side of the driver: device-interface news, driver events and answers
// that make no sense, checked on the simulated driver's request trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dbt.h>

#include "app/AppMessages.h"
#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "res/resource.h"
#include "sim/SimEventSignal.h"
#include "sim/SimInterfaceBroadcast.h"
#include "tests/harness/PanelHarness.h"

namespace {

// One full refresh asks for the channel lists once per channel page.
constexpr size_t kChannelListsPerRefresh = 2;

LRESULT SendDeviceChange(CPanelHarness& panel, WPARAM event, const std::string& name)
{
    auto record = InterfaceRecord(name);
    return ::SendMessageA(panel.View()->m_hWnd, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record.data()));
}

// Queues driver events without waking the notifier, so that one message finds them all.
void QueueQuietly(CSimDriver& sim, std::initializer_list<uint32_t> kinds)
{
    sim.SetEventSignaller([](uint32_t) {});
    for (uint32_t kind : kinds)
        sim.RaiseEvent(kind);
    sim.SetEventSignaller(SignalEventByValue);
}

}  // namespace

TEST(ViewEvents, InterfaceNamesShorterThanFiveCharactersAndOtherEventsAreIgnored)
{
    SimBus bus = DefaultBus();
    bus.driverPresent = false;
    CPanelHarness panel(bus);
    ASSERT_TRUE(panel.Start());
    panel.sim.Change([](SimBus& b) { b.driverPresent = true; });   // loaded, but no one told the panel
    panel.sim.ClearTrace();

    EXPECT_EQ(SendDeviceChange(panel, DBT_DEVICEREMOVECOMPLETE, "\\\\?\\"), TRUE);
    EXPECT_EQ(SendDeviceChange(panel, DBT_DEVICEQUERYREMOVE, CSimInterfaceBroadcast::kInterfaceName), TRUE);
    EXPECT_EQ(SendDeviceChange(panel, DBT_DEVNODES_CHANGED, CSimInterfaceBroadcast::kInterfaceName), TRUE);
    EXPECT_TRUE(panel.sim.Trace().empty());
    EXPECT_FALSE(theDrv.IsOpen());

    // Five characters are enough.
    EXPECT_EQ(SendDeviceChange(panel, DBT_DEVICEARRIVAL, "\\\\?\\X"), TRUE);
    EXPECT_TRUE(theDrv.IsOpen());
}

TEST(ViewEvents, RemovalOnAClosedConnectionReconnectsAndRefreshes)
{
    SimBus bus = DefaultBus();
    bus.driverPresent = false;
    CPanelHarness panel(bus);
    ASSERT_TRUE(panel.Start());
    EXPECT_FALSE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), 0);

    panel.sim.Change([](SimBus& b) { b.driverPresent = true; });
    panel.sim.ClearTrace();
    SendDeviceChange(panel, DBT_DEVICEREMOVECOMPLETE, CSimInterfaceBroadcast::kInterfaceName);
    EXPECT_TRUE(theDrv.IsOpen());
    EXPECT_TRUE(panel.View()->Notifier().IsRunning());
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetChannelLists), kChannelListsPerRefresh);
    EXPECT_EQ(theDrv.m_devices.GetSize(), static_cast<int>(panel.sim.Bus().devices.size()));
}

TEST(ViewEvents, ArrivalWhileConnectedAsksNothingMoreThanWhetherTheDriverAnswers)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    panel.sim.ClearTrace();
    SendDeviceChange(panel, DBT_DEVICEARRIVAL, CSimInterfaceBroadcast::kInterfaceName);
    EXPECT_EQ(panel.sim.TraceCodes(), std::vector<uint32_t>{OvxIoctl::GetDriverVersion});
}

TEST(ViewEvents, ADriverUnloadedAndLoadedAgainIsReconnected)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    ASSERT_GT(theDrv.m_devices.GetSize(), 0);

    // The simulated driver announces its interface's removal and arrival to the view.
    panel.sim.SetDriverPresent(false);
    EXPECT_FALSE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), 0);
    panel.sim.SetDriverPresent(true);
    EXPECT_TRUE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), static_cast<int>(panel.sim.Bus().devices.size()));

    // The new notifier hears the driver again.
    panel.sim.ClearTrace();
    panel.sim.RaiseEvent(EvtType_DomainConfigurationChanged);
    EXPECT_TRUE(panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetChannelLists) > 0; }));
}

TEST(ViewEvents, ThreeQueuedConfigurationEventsGiveThreeRefreshes)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    QueueQuietly(panel.sim, {EvtType_DomainConfigurationChanged, EvtType_DomainConfigurationChanged,
                             EvtType_DomainConfigurationChanged});
    panel.sim.ClearTrace();
    ::SendMessageA(panel.View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetNextEvent) >= 4; });   // a busy machine splits the batch
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetNextEvent), 4u);   // three, then the one that fails
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetChannelLists), 3 * kChannelListsPerRefresh);
}

TEST(ViewEvents, StreamingRestartedRefreshesAndOtherKindsDoNot)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    QueueQuietly(panel.sim, {1, 100});
    panel.sim.ClearTrace();
    ::SendMessageA(panel.View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetNextEvent), 3u);
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetChannelLists), 0u);

    QueueQuietly(panel.sim, {EvtType_StreamingRestarted});
    panel.sim.ClearTrace();
    ::SendMessageA(panel.View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetChannelLists), kChannelListsPerRefresh);
}

TEST(ViewEvents, ADriverEventReachesTheViewThroughTheNotifier)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    panel.sim.ClearTrace();
    panel.sim.RaiseEvent(EvtType_StreamingRestarted);
    EXPECT_TRUE(
        panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetChannelLists) >= kChannelListsPerRefresh; }));
}

TEST(ViewEvents, EndlessEventsEndWithTheDriversQueue)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    // More than the driver keeps: the drain stops with the driver's queue.
    panel.sim.SetEventSignaller([](uint32_t) {});
    for (int i = 0; i < 500; ++i)
        panel.sim.RaiseEvent(1);
    panel.sim.SetEventSignaller(SignalEventByValue);
    panel.sim.ClearTrace();
    ::SendMessageA(panel.View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_LE(panel.sim.CountOf(OvxIoctl::GetNextEvent), 65u);
}

TEST(ViewEvents, ADriverThatNeverRunsDryLeavesThePanelAnswering)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start("-asio"));   // the Settings page, with its one-second timer
    HWND frame = panel.FrameWindow();
    panel.sim.ClearTrace();
    panel.sim.SetEndlessEvents(EvtType_DomainConfigurationChanged);

    // The harness's Pump waits for an empty queue, which a flood never leaves; a loop
    // of the application's own kind goes on. Timers come last of all a thread's
    // messages, so a timer that fires means input and painting had their turn too.
    ::InvalidateRect(frame, nullptr, TRUE);
    bool painted = false;
    MSG msg{};
    const auto done = [&] {
        return painted && panel.sim.CountOf(OvxIoctl::GetAsioStatistics) > 0 &&
               panel.sim.CountOf(OvxIoctl::GetNextEvent) > 100;
    };
    const ULONGLONG end = ::GetTickCount64() + 10000;
    while (::GetTickCount64() < end && !done()) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
        painted = painted || !::GetUpdateRect(frame, nullptr, FALSE);
    }
    EXPECT_TRUE(painted);
    EXPECT_GT(panel.sim.CountOf(OvxIoctl::GetAsioStatistics), 0u);
    EXPECT_GT(panel.sim.CountOf(OvxIoctl::GetNextEvent), 100u);   // and the events went on

    // Once the storm ends, the drain ends with it.
    panel.sim.SetEndlessEvents(std::nullopt);
    panel.Pump();
    panel.sim.ClearTrace();
    panel.Pump();
    EXPECT_LE(panel.sim.CountOf(OvxIoctl::GetNextEvent), 1u);
}

TEST(ViewEvents, MalformedAnswersToEveryRequestLeaveThePagesBounded)
{
    for (Malformation malformation :
         {Malformation::UnterminatedText, Malformation::CountsBeyondCapacity, Malformation::ShortAnswer}) {
        SCOPED_TRACE(static_cast<int>(malformation));
        CPanelHarness panel;
        ASSERT_TRUE(panel.Start());
        for (const OvxIoctl::Request& request : OvxIoctl::Catalogue())
            panel.sim.MalformAnswer(request.code, malformation);
        panel.View()->RefreshAllPages();
        // Every page still has its window and no list holds more rows than a driver can report.
        for (CDialogPage* page : panel.View()->AllPages())
            EXPECT_TRUE(::IsWindow(page->m_hWnd));
        const struct {
            HWND page;
            int listId;
            uint32_t limit;
        } lists[] = {{panel.View()->PageOf(PAGE_DEVICES)->m_hWnd, IDC_DEVICE_LIST, kMaxDevices},
                     {panel.View()->PageOf(PAGE_INPUT_CHANNELS)->m_hWnd, IDC_CHANNEL_LIST, kMaxChannels},
                     // The devices and the PC driver.
                     {panel.View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd, IDC_SYNC_LIST, kMaxDevices + 1},
                     {panel.View()->PageOf(PAGE_STREAMS)->m_hWnd, IDC_STREAM_LIST, kMaxDevices}};
        for (const auto& list : lists)
            EXPECT_LE(static_cast<uint32_t>(ListView_GetItemCount(::GetDlgItem(list.page, list.listId))),
                      list.limit);
        HWND rates = ::GetDlgItem(panel.View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd, IDC_SAMPLE_RATE_COMBO);
        EXPECT_LE(::SendMessageA(rates, CB_GETCOUNT, 0, 0), kMaxSampleRates + 1);   // and "unavailable"
        for (int pane = 0; pane < 4; ++pane)
            EXPECT_LT(panel.Pane(pane).size(), 200u);
    }
}
