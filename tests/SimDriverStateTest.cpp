// The simulated driver's state: streaming and its plugs, events, settings and buffer
// depths as written, hot-plug, the record limits and the request trace.
#include <gtest/gtest.h>

#include <cstring>

#include "driver/RecordText.h"
#include "tests/SimDriverFixture.h"

namespace {

namespace Io = OvxIoctl;
using SimState = CSimDriverFixture;

}  // namespace

TEST_F(SimState, StreamingStopAndStartChangeThePlugsAndQueueARestart)
{
    const uint32_t value = 0x4444;
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{value})), DRV_OK);
    const uint32_t id = DeviceIds()[1];
    _STREAM_INFO stream{};
    ASSERT_EQ(driver.GetStreamInfo(&id, &stream), DRV_OK);
    EXPECT_EQ(stream.audioIn.state, PlugState_Connected);
    EXPECT_EQ(stream.audioIn.currentRate, 48000u);
    EXPECT_EQ(stream.audioIn.rateCount, 6u);

    ASSERT_EQ(driver.StopStreaming(), DRV_OK);
    ASSERT_EQ(driver.GetStreamInfo(&id, &stream), DRV_OK);
    for (const _PLUG_STATUS* plug : {&stream.audioOut, &stream.audioIn, &stream.synchOut, &stream.synchIn})
        EXPECT_NE(plug->state, PlugState_Connected);
    EXPECT_TRUE(signals.empty());

    ASSERT_EQ(driver.StartStreaming(), DRV_OK);
    ASSERT_EQ(driver.GetStreamInfo(&id, &stream), DRV_OK);
    EXPECT_EQ(stream.synchOut.state, PlugState_Connected);
    EXPECT_EQ(signals, std::vector<uint32_t>{value});

    _DRIVER_EVENT_INFO event{};
    ASSERT_EQ(driver.GetNextEvent(&event), DRV_OK);
    EXPECT_EQ(event.kind, EvtType_StreamingRestarted);
    EXPECT_EQ(driver.GetNextEvent(&event), WinError::NoMoreItems);
}

TEST_F(SimState, EndlessEventsNeverRunDryUntilCleared)
{
    const uint32_t value = 0x4545;
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{value})), DRV_OK);
    sim.SetEndlessEvents(EvtType_StreamingRestarted);
    EXPECT_EQ(signals, std::vector<uint32_t>{value});
    for (int i = 0; i < 200; ++i) {
        _DRIVER_EVENT_INFO event{};
        ASSERT_EQ(driver.GetNextEvent(&event), DRV_OK);
        ASSERT_EQ(event.kind, EvtType_StreamingRestarted);
    }
    // An event registered while the storm lasts is told at once.
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{value + 1})), DRV_OK);
    EXPECT_EQ(signals.back(), value + 1);

    sim.ClearFaults();
    _DRIVER_EVENT_INFO event{};
    EXPECT_EQ(driver.GetNextEvent(&event), WinError::NoMoreItems);
}

TEST_F(SimState, AFailingPlugReportsItsCode)
{
    const uint32_t id = DeviceIds()[2];
    sim.Change([](SimBus& bus) {
        bus.devices[2].plugs[PlugAudioIn].failCode = 0xE0000073;
        bus.devices[2].plugs[PlugSynchIn].present = false;
        bus.devices[2].plugs[PlugAudioOut].fixedStreamNumber = 5;
    });
    driver.StopStreaming();
    driver.StartStreaming();
    _STREAM_INFO stream{};
    ASSERT_EQ(driver.GetStreamInfo(&id, &stream), DRV_OK);
    EXPECT_EQ(stream.audioIn.state, PlugState_ConnectFailed);
    EXPECT_EQ(stream.audioIn.error, 0xE0000073u);
    EXPECT_EQ(stream.synchIn.state, 0u);
    EXPECT_EQ(stream.audioOut.state, PlugState_Connected);
    EXPECT_EQ(stream.audioOut.streamNumber, 5u);
}

TEST_F(SimState, SamplingRatesOutsideTheListOrWhileWdmIsBusyAreRefused)
{
    EXPECT_EQ(driver.SetSampleRate(32000), ERROR_DRV_RATE_NOT_SUPPORTED);
    EXPECT_EQ(driver.SetSampleRate(96000), DRV_OK);
    _SAMPLE_RATE_INFO rates{};
    ASSERT_EQ(driver.GetSampleRates(&rates), DRV_OK);
    EXPECT_EQ(rates.currentRate, 96000u);

    sim.Change([](SimBus& bus) { bus.wdmDeviceInUse = true; });
    EXPECT_EQ(driver.SetSampleRate(44100), ERROR_DRV_WDM_DEVICE_IN_USE);
    ASSERT_EQ(driver.GetSampleRates(&rates), DRV_OK);
    EXPECT_EQ(rates.currentRate, 96000u);
}

TEST_F(SimState, SettingsAreStoredAsWritten)
{
    const uint32_t one = 1;
    ASSERT_EQ(driver.SetAsioNameOption(&one), DRV_OK);
    uint32_t option = 0;
    ASSERT_EQ(driver.GetAsioNameOption(&option), DRV_OK);
    EXPECT_EQ(option, 1u);

    ASSERT_EQ(driver.SetRateMode(0), DRV_OK);
    uint32_t mode = 9;
    ASSERT_EQ(driver.GetRateMode(&mode), DRV_OK);
    EXPECT_EQ(mode, 0u);

    const _CLOCK_SOURCE_INFO pc{0x77, 0, 0};
    ASSERT_EQ(driver.SetClockSource(&pc), DRV_OK);
    _CLOCK_SOURCE_INFO clock{};
    ASSERT_EQ(driver.GetClockSource(&clock), DRV_OK);
    EXPECT_EQ(clock.reserved, 0x77u);
    EXPECT_EQ(clock.masterFlag, 0u);

    const uint32_t id = DeviceIds()[1];
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    ASSERT_EQ(driver.GetDeviceSyncMode(&id, sync.get()), DRV_OK);
    ASSERT_GE(sync->offeredCount, 3u);
    sync->current = sync->offered[2];
    ASSERT_EQ(driver.SetDeviceSyncMode(sync.get()), DRV_OK);
    auto again = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    ASSERT_EQ(driver.GetDeviceSyncMode(&id, again.get()), DRV_OK);
    EXPECT_EQ(again->current.sourceId, sync->offered[2].sourceId);
    EXPECT_EQ(FieldText(again->current.name), FieldText(sync->offered[2].name));
    sync->current.sourceId = 0xBAD;
    EXPECT_EQ(driver.SetDeviceSyncMode(sync.get()), WinError::InvalidParameter);
}

TEST_F(SimState, BufferDepthsKeepTheirLayoutsAndRange)
{
    _BUFFER_DEPTH_INFO stream{};
    ASSERT_EQ(driver.GetStreamBufferDepth(&stream), DRV_OK);
    EXPECT_EQ(stream.stream.minimum, 125u);
    EXPECT_EQ(stream.stream.step, 125u);
    EXPECT_EQ(stream.stream.current, 1000u);
    stream.stream.current = 2000;
    ASSERT_EQ(driver.SetStreamBufferDepth(&stream), DRV_OK);
    ASSERT_EQ(driver.GetStreamBufferDepth(&stream), DRV_OK);
    EXPECT_EQ(stream.stream.current, 2000u);
    stream.stream.current = 100;   // below the minimum
    EXPECT_EQ(driver.SetStreamBufferDepth(&stream), WinError::InvalidParameter);

    _BUFFER_DEPTH_INFO asio{};
    ASSERT_EQ(driver.GetAsioBufferDepth(&asio), DRV_OK);
    EXPECT_EQ(asio.audio.current, 5000u);
    EXPECT_EQ(asio.audio.minimum, 1000u);
    EXPECT_EQ(asio.audio.samples, 240u);   // 5 ms at 48 kHz
    asio.audio.current = 3000;
    ASSERT_EQ(driver.SetAsioBufferDepth(&asio), DRV_OK);
    ASSERT_EQ(driver.GetAsioBufferDepth(&asio), DRV_OK);
    EXPECT_EQ(asio.audio.samples, 144u);

    sim.Change([](SimBus& bus) { bus.asioDropouts = 17; });
    _ASIO_STATISTICS statistics{};
    ASSERT_EQ(driver.GetAsioStatistics(&statistics), DRV_OK);
    EXPECT_EQ(statistics.words[14], 17u);
}

TEST_F(SimState, HotPlugQueuesAConfigurationChangeAndTellsListeners)
{
    std::vector<bool> arrivals;
    const int cookie = sim.AddInterfaceListener([&](bool arrived) { arrivals.push_back(arrived); });
    const uint32_t value = 0x5555;
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{value})), DRV_OK);

    const uint32_t id = sim.PlugDevice("Zemra Pocket 2", "ZP2-0001-01", 2, 2);
    EXPECT_EQ(DeviceIds().size(), 4u);
    EXPECT_TRUE(sim.UnplugDevice(DeviceIds()[0]));   // the clock master
    EXPECT_FALSE(sim.UnplugDevice(0xDEAD));
    EXPECT_EQ(arrivals, (std::vector<bool>{true, false}));
    EXPECT_EQ(DeviceIds().size(), 3u);
    EXPECT_EQ(DeviceIds().back(), id);
    _CLOCK_SOURCE_INFO clock{};
    ASSERT_EQ(driver.GetClockSource(&clock), DRV_OK);
    EXPECT_EQ(clock.masterFlag, 0u);

    std::vector<uint32_t> kinds;
    _DRIVER_EVENT_INFO event{};
    while (driver.GetNextEvent(&event) == DRV_OK)
        kinds.push_back(event.kind);
    EXPECT_EQ(kinds, (std::vector<uint32_t>{EvtType_BusReset, EvtType_DomainConfigurationChanged,
                                            EvtType_BusReset, EvtType_DomainConfigurationChanged}));
    EXPECT_FALSE(signals.empty());
    sim.RemoveInterfaceListener(cookie);
    sim.PlugDevice("Zemra Pocket 2", "ZP2-0001-02", 2, 2);
    EXPECT_EQ(arrivals.size(), 2u);
}

TEST_F(SimState, EventsGoOnlyToRegisteredConnectionsAndTheQueueIsBounded)
{
    const uint32_t value = 0x6666;
    sim.RaiseEvent(EvtType_BusReset);   // before registration: not delivered
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{value})), DRV_OK);
    for (int i = 0; i < 1000; ++i)
        sim.RaiseEvent(i % 2 ? EvtType_BusReset : EvtType_AsioBufferSizeChanged);
    int fetched = 0;
    _DRIVER_EVENT_INFO event{};
    while (driver.GetNextEvent(&event) == DRV_OK)
        ++fetched;
    EXPECT_EQ(fetched, 64);
    EXPECT_EQ(driver.RegisterNotificationEvent(nullptr), WinError::InvalidHandle);

    // The other connection registered nothing and has nothing to fetch.
    uint32_t returned = 0;
    EXPECT_EQ(sim.Control(handle, Io::GetNextEvent, nullptr, 0, &event, sizeof event, returned),
              WinError::NoMoreItems);
}

TEST(SimLimits, HoldsTheRecordLimits)
{
    SimBus bus = EmptyBus();
    for (int i = 0; i < 70; ++i)
        AddStandardDevice(bus, "Unit " + std::to_string(i), "SN" + std::to_string(i), i < 20 ? 15 : 0,
                          i < 20 ? 15 : 0);
    bus.supportedRates = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 88200, 96000, 192000};
    for (int i = 0; i < 20; ++i)
        bus.devices[0].offeredSync.push_back({2, 0x9000u + i, "Extra"});
    CSimDriver sim(bus);
    CScopedSimDriver installed(sim);
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);

    _DEVICE_ID_LIST list{};
    ASSERT_EQ(driver.GetDeviceList(&list), DRV_OK);
    EXPECT_EQ(list.count, 64u);
    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    ASSERT_EQ(driver.GetChannelLists(channels.get()), DRV_OK);
    EXPECT_EQ(channels->input.count, 256u);
    EXPECT_EQ(channels->output.count, 256u);
    _SAMPLE_RATE_INFO rates{};
    ASSERT_EQ(driver.GetSampleRates(&rates), DRV_OK);
    EXPECT_EQ(rates.rateCount, 8u);
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    ASSERT_EQ(driver.GetDeviceSyncMode(&list.ids[0], sync.get()), DRV_OK);
    EXPECT_EQ(sync->offeredCount, 16u);
}

TEST_F(SimState, TraceRecordsConnectionCodeInputAndResult)
{
    driver.SetSampleRate(44100);
    driver.SetSampleRate(1);
    const std::vector<SimTraceEntry> trace = sim.Trace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[0].connection, 1u);
    EXPECT_EQ(trace[0].code, Io::SetSampleRate);
    EXPECT_EQ(trace[0].input, (std::vector<uint8_t>{0, 0, 0, 0, 0x44, 0xAC, 0, 0}));
    EXPECT_EQ(trace[0].result, 0u);
    EXPECT_EQ(trace[1].result, ERROR_DRV_RATE_NOT_SUPPORTED);
    EXPECT_EQ(sim.CountOf(Io::SetSampleRate), 2u);
    EXPECT_EQ(sim.TraceCodes(), (std::vector<uint32_t>{Io::SetSampleRate, Io::SetSampleRate}));
}

TEST_F(SimState, TraceListenerSeesEachRequestAsItHappens)
{
    std::vector<uint32_t> heard;
    sim.SetTraceListener([&](const SimTraceEntry& entry) { heard.push_back(entry.result); });
    driver.SetSampleRate(44100);
    driver.SetSampleRate(1);
    sim.SetTraceListener(nullptr);
    driver.SetSampleRate(44100);
    EXPECT_EQ(heard, (std::vector<uint32_t>{0, ERROR_DRV_RATE_NOT_SUPPORTED}));
}
