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
#include "tests/harness/PanelFixture.h"

namespace {

// One full refresh asks for the channel lists once per channel page.
constexpr size_t kChannelListsPerRefresh = 2;


// Queues driver events without waking the notifier, so that one message finds them all.
void QueueQuietly(CSimDriver& sim, std::initializer_list<uint32_t> kinds)
{
    sim.SetEventSignaller([](uint32_t) {});
    for (uint32_t kind : kinds)
        sim.RaiseEvent(kind);
    sim.SetEventSignaller(SignalEventByValue);
}

class ViewEvents : public CPanelFixture {
protected:
    LRESULT SendDeviceChange(WPARAM event, const std::string& name)
    {
        auto record = InterfaceRecord(name);
        return ::SendMessageA(panel->View()->m_hWnd, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record.data()));
    }
};

}  // namespace

TEST_F(ViewEvents, InterfaceNamesShorterThanFiveCharactersAndOtherEventsAreIgnored)
{
    SimBus bus = DefaultBus();
    bus.driverPresent = false;
    ASSERT_TRUE(StartPanel(bus));
    panel->sim.Change([](SimBus& b) { b.driverPresent = true; });   // loaded, but no one told the panel
    ClearTrace();

    EXPECT_EQ(SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, "\\\\?\\"), TRUE);
    EXPECT_EQ(SendDeviceChange(DBT_DEVICEQUERYREMOVE, CSimInterfaceBroadcast::kInterfaceName), TRUE);
    EXPECT_EQ(SendDeviceChange(DBT_DEVNODES_CHANGED, CSimInterfaceBroadcast::kInterfaceName), TRUE);
    EXPECT_TRUE(panel->sim.Trace().empty());
    EXPECT_FALSE(theDrv.IsOpen());

    // Five characters are enough.
    EXPECT_EQ(SendDeviceChange(DBT_DEVICEARRIVAL, "\\\\?\\X"), TRUE);
    EXPECT_TRUE(theDrv.IsOpen());
}

TEST_F(ViewEvents, RemovalOnAClosedConnectionReconnectsAndRefreshes)
{
    SimBus bus = DefaultBus();
    bus.driverPresent = false;
    ASSERT_TRUE(StartPanel(bus));
    EXPECT_FALSE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), 0);

    panel->sim.Change([](SimBus& b) { b.driverPresent = true; });
    ClearTrace();
    SendDeviceChange(DBT_DEVICEREMOVECOMPLETE, CSimInterfaceBroadcast::kInterfaceName);
    EXPECT_TRUE(theDrv.IsOpen());
    EXPECT_TRUE(panel->View()->Notifier().IsRunning());
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), kChannelListsPerRefresh);
    EXPECT_EQ(theDrv.m_devices.GetSize(), static_cast<int>(panel->sim.Bus().devices.size()));
}

TEST_F(ViewEvents, ArrivalWhileConnectedAsksNothingMoreThanWhetherTheDriverAnswers)
{
    ASSERT_TRUE(StartPanel());
    ClearTrace();
    SendDeviceChange(DBT_DEVICEARRIVAL, CSimInterfaceBroadcast::kInterfaceName);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{OvxIoctl::GetDriverVersion});
}

TEST_F(ViewEvents, ADriverUnloadedAndLoadedAgainIsReconnected)
{
    ASSERT_TRUE(StartPanel());
    ASSERT_GT(theDrv.m_devices.GetSize(), 0);

    // The simulated driver announces its interface's removal and arrival to the view.
    panel->sim.SetDriverPresent(false);
    EXPECT_FALSE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), 0);
    panel->sim.SetDriverPresent(true);
    EXPECT_TRUE(theDrv.IsOpen());
    EXPECT_EQ(theDrv.m_devices.GetSize(), static_cast<int>(panel->sim.Bus().devices.size()));

    // The new notifier hears the driver again.
    ClearTrace();
    panel->sim.RaiseEvent(EvtType_DomainConfigurationChanged);
    EXPECT_TRUE(panel->PumpUntil([&] { return CountOf(OvxIoctl::GetChannelLists) > 0; }));
}

TEST_F(ViewEvents, ThreeQueuedConfigurationEventsGiveThreeRefreshes)
{
    ASSERT_TRUE(StartPanel());
    QueueQuietly(panel->sim, {EvtType_DomainConfigurationChanged, EvtType_DomainConfigurationChanged,
                             EvtType_DomainConfigurationChanged});
    ClearTrace();
    ::SendMessageA(panel->View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    panel->PumpUntil([&] { return CountOf(OvxIoctl::GetNextEvent) >= 4; });   // a busy machine splits the batch
    EXPECT_EQ(CountOf(OvxIoctl::GetNextEvent), 4u);   // three, then the one that fails
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), 3 * kChannelListsPerRefresh);
}

TEST_F(ViewEvents, StreamingRestartedRefreshesAndOtherKindsDoNot)
{
    ASSERT_TRUE(StartPanel());
    QueueQuietly(panel->sim, {1, 100});
    ClearTrace();
    ::SendMessageA(panel->View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_EQ(CountOf(OvxIoctl::GetNextEvent), 3u);
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), 0u);

    QueueQuietly(panel->sim, {EvtType_StreamingRestarted});
    ClearTrace();
    ::SendMessageA(panel->View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), kChannelListsPerRefresh);
}

TEST_F(ViewEvents, ADriverEventReachesTheViewThroughTheNotifier)
{
    ASSERT_TRUE(StartPanel());
    ClearTrace();
    panel->sim.RaiseEvent(EvtType_StreamingRestarted);
    EXPECT_TRUE(
        panel->PumpUntil([&] { return CountOf(OvxIoctl::GetChannelLists) >= kChannelListsPerRefresh; }));
}

TEST_F(ViewEvents, EndlessEventsEndWithTheDriversQueue)
{
    ASSERT_TRUE(StartPanel());
    // More than the driver keeps: the drain stops with the driver's queue.
    panel->sim.SetEventSignaller([](uint32_t) {});
    for (int i = 0; i < 500; ++i)
        panel->sim.RaiseEvent(1);
    panel->sim.SetEventSignaller(SignalEventByValue);
    ClearTrace();
    ::SendMessageA(panel->View()->m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    EXPECT_LE(CountOf(OvxIoctl::GetNextEvent), 65u);
}

TEST_F(ViewEvents, ADriverThatNeverRunsDryLeavesThePanelAnswering)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "-asio"));   // the Settings page, with its one-second timer
    HWND frame = panel->FrameWindow();
    ClearTrace();
    panel->sim.SetEndlessEvents(EvtType_DomainConfigurationChanged);

    // The harness's Pump waits for an empty queue, which a flood never leaves; a loop
    // of the application's own kind goes on. Timers come last of all a thread's
    // messages, so a timer that fires means input and painting had their turn too.
    ::InvalidateRect(frame, nullptr, TRUE);
    bool painted = false;
    MSG msg{};
    const auto done = [&] {
        return painted && CountOf(OvxIoctl::GetAsioStatistics) > 0 &&
               CountOf(OvxIoctl::GetNextEvent) > 100;
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
    EXPECT_GT(CountOf(OvxIoctl::GetAsioStatistics), 0u);
    EXPECT_GT(CountOf(OvxIoctl::GetNextEvent), 100u);   // and the events went on

    // Once the storm ends, the drain ends with it.
    panel->sim.SetEndlessEvents(std::nullopt);
    panel->Pump();
    ClearTrace();
    panel->Pump();
    EXPECT_LE(CountOf(OvxIoctl::GetNextEvent), 1u);
}

TEST_F(ViewEvents, MalformedAnswersToEveryRequestLeaveThePagesBounded)
{
    for (Malformation malformation :
         {Malformation::UnterminatedText, Malformation::CountsBeyondCapacity, Malformation::ShortAnswer}) {
        SCOPED_TRACE(static_cast<int>(malformation));
        ASSERT_TRUE(StartPanel());
        for (const OvxIoctl::Request& request : OvxIoctl::Catalogue())
            panel->sim.MalformAnswer(request.code, malformation);
        panel->View()->RefreshAllPages();
        // Every page still has its window and no list holds more rows than a driver can report.
        for (CDialogPage* each : panel->View()->AllPages())
            EXPECT_TRUE(::IsWindow(each->m_hWnd));
        const struct {
            HWND window;
            int listId;
            uint32_t limit;
        } lists[] = {{panel->View()->PageOf(PAGE_DEVICES)->m_hWnd, IDC_DEVICE_LIST, kMaxDevices},
                     {panel->View()->PageOf(PAGE_INPUT_CHANNELS)->m_hWnd, IDC_CHANNEL_LIST, kMaxChannels},
                     // The devices and the PC driver.
                     {panel->View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd, IDC_SYNC_LIST, kMaxDevices + 1},
                     {panel->View()->PageOf(PAGE_STREAMS)->m_hWnd, IDC_STREAM_LIST, kMaxDevices}};
        for (const auto& list : lists)
            EXPECT_LE(static_cast<uint32_t>(ListView_GetItemCount(::GetDlgItem(list.window, list.listId))),
                      list.limit);
        HWND rates = ::GetDlgItem(panel->View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd, IDC_SAMPLE_RATE_COMBO);
        EXPECT_LE(::SendMessageA(rates, CB_GETCOUNT, 0, 0), kMaxSampleRates + 1);   // and "unavailable"
        for (int pane = 0; pane < 4; ++pane)
            EXPECT_LT(panel->Pane(pane).size(), 200u);
    }
}
