// The simulated driver answers like a driver: sizes checked, writes take effect,
// events queued and signalled, the record limits held.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/RecordText.h"
#include "driver/ResultCodes.h"
#include "sim/SimDriver.h"

namespace {

namespace Io = OvxIoctl;

class Sim : public ::testing::Test {
protected:
    Sim()
    {
        sim.SetEventSignaller([this](uint32_t value) { signals.push_back(value); });
        EXPECT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
        handle = sim.Open("\\\\.\\{918d4f3e-6947-4EC3-989e-f3b1bd397eaa}", openError);
        sim.ClearTrace();
    }

    std::vector<uint32_t> DeviceIds()
    {
        _DEVICE_ID_LIST list{};
        EXPECT_EQ(driver.GetDeviceList(&list), DRV_OK);
        return {list.ids, list.ids + std::min(list.count, kMaxDevices)};
    }

    _OVX_DEVICE_PROPERTIES Device(uint32_t id)
    {
        _OVX_DEVICE_PROPERTIES device{};
        EXPECT_EQ(driver.GetDeviceProperties(&id, &device), DRV_OK);
        return device;
    }

    // A valid input for each request of the catalogue, made from what the driver reports.
    std::vector<uint8_t> ValidInput(uint32_t code)
    {
        const uint32_t deviceId = DeviceIds().at(0);
        auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
        EXPECT_EQ(driver.GetChannelLists(channels.get()), DRV_OK);
        const uint32_t channelId = channels->input.ids[0];
        const auto bytes = [](const auto& record) {
            const auto* p = reinterpret_cast<const uint8_t*>(&record);
            return std::vector<uint8_t>(p, p + sizeof record);
        };
        switch (code) {
        case Io::SetAsioNameOption: return bytes(uint32_t{1});
        case Io::RegisterNotificationEvent: return bytes(uint32_t{0x2222});
        case Io::GetDeviceSyncMode:
        case Io::GetDeviceProperties:
        case Io::GetStreamInfo: return bytes(deviceId);
        case Io::GetChannelProperties: return bytes(channelId);
        case Io::SetClockSource: return bytes(_CLOCK_SOURCE_INFO{0, 1, deviceId});
        case Io::SetRateMode: return bytes(_RATE_MODE_INFO{0, 0});
        case Io::SetSampleRate: return bytes(_SAMPLE_RATE_REQUEST{0, 44100});
        case Io::SetDeviceSyncMode: {
            auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
            EXPECT_EQ(driver.GetDeviceSyncMode(&deviceId, sync.get()), DRV_OK);
            return std::vector<uint8_t>(reinterpret_cast<uint8_t*>(sync.get()),
                                        reinterpret_cast<uint8_t*>(sync.get()) + kSyncModeHeadSize);
        }
        case Io::SetDeviceProperties: return bytes(Device(deviceId));
        case Io::SetChannelProperties: {
            _OVX_CHANNEL_PROPERTIES channel{};
            EXPECT_EQ(driver.GetChannelProperties(&channelId, &channel), DRV_OK);
            return bytes(channel);
        }
        case Io::SetStreamBufferDepth:
        case Io::SetAsioBufferDepth:
        case Io::SetWdmBufferDepth: {
            _BUFFER_DEPTH_INFO depth{};
            const uint32_t get = code - 4;   // each setter follows its getter
            EXPECT_EQ(driver.Control(get, nullptr, 0, &depth, sizeof depth), DRV_OK);
            return bytes(depth);
        }
        default: return {};
        }
    }

    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    COvx1394Driver driver;
    std::vector<uint32_t> signals;
    uint32_t openError = 0;
    DeviceHandle handle = nullptr;
};

constexpr uint8_t kGuard = 0xA5;

}  // namespace

TEST_F(Sim, AnswersEveryRequestWithAWholeRecordAndNothingBeyond)
{
    sim.RaiseEvent(EvtType_BusReset);   // nothing registered yet on this handle
    for (const Io::Request& request : Io::Catalogue()) {
        SCOPED_TRACE(request.name);
        if (request.code == Io::GetNextEvent) {
            // Give this handle an event to fetch.
            const uint32_t value = 0x3333;
            uint32_t ignored = 0;
            ASSERT_EQ(sim.Control(handle, Io::RegisterNotificationEvent, &value, 4, nullptr, 0, ignored), 0u);
            sim.RaiseEvent(EvtType_BusReset);
        }
        const std::vector<uint8_t> input = ValidInput(request.code);
        ASSERT_EQ(input.size(), request.inSize);
        std::vector<uint8_t> out(request.outSize + 32, kGuard);
        uint32_t returned = 77;
        const uint32_t result = sim.Control(handle, request.code, input.empty() ? nullptr : input.data(),
                                            request.inSize, request.outSize ? out.data() : nullptr,
                                            request.outSize, returned);
        EXPECT_EQ(result, 0u);
        EXPECT_EQ(returned, request.outSize);
        for (size_t i = request.outSize; i < out.size(); ++i)
            ASSERT_EQ(out[i], kGuard) << "byte " << i;
    }
}

TEST_F(Sim, RefusesEveryMalformedSizeWithoutTouchingTheBuffer)
{
    std::vector<uint8_t> in(4096, 0), out(4096, kGuard);
    for (const Io::Request& request : Io::Catalogue()) {
        SCOPED_TRACE(request.name);
        struct Shape {
            uint32_t inSize, outSize, error;
        };
        std::vector<Shape> shapes = {
            {request.inSize + 1, request.outSize, WinError::InvalidParameter},
            {request.inSize, request.outSize + 1, WinError::InvalidParameter},
        };
        if (request.inSize > 0)
            shapes.push_back({request.inSize - 1, request.outSize, WinError::InvalidParameter});
        if (request.outSize > 0)
            shapes.push_back({request.inSize, request.outSize - 1, WinError::InsufficientBuffer});
        for (const Shape& shape : shapes) {
            uint32_t returned = 77;
            EXPECT_EQ(sim.Control(handle, request.code, in.data(), shape.inSize, out.data(),
                                  shape.outSize, returned),
                      shape.error);
            EXPECT_EQ(returned, 0u);
        }
        if (request.inSize > 0) {
            uint32_t returned = 0;
            EXPECT_EQ(sim.Control(handle, request.code, nullptr, request.inSize, out.data(),
                                  request.outSize, returned),
                      WinError::NoAccess);
        }
    }
    for (uint8_t byte : out)
        ASSERT_EQ(byte, kGuard);

    uint32_t returned = 0;
    EXPECT_EQ(sim.Control(handle, Io::Code(0xA02), nullptr, 0, nullptr, 0, returned),
              WinError::InvalidFunction);
    EXPECT_EQ(sim.Control(reinterpret_cast<DeviceHandle>(uintptr_t{1}), Io::StartStreaming, nullptr,
                          0, nullptr, 0, returned),
              WinError::InvalidHandle);
}

TEST_F(Sim, UnknownIdsAreRefused)
{
    const uint32_t unknown = 0xDEAD;
    _OVX_DEVICE_PROPERTIES device{};
    EXPECT_EQ(driver.GetDeviceProperties(&unknown, &device), WinError::DevNotExist);
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    EXPECT_EQ(driver.GetDeviceSyncMode(&unknown, sync.get()), WinError::DevNotExist);
    _STREAM_INFO stream{};
    EXPECT_EQ(driver.GetStreamInfo(&unknown, &stream), WinError::DevNotExist);
    _OVX_CHANNEL_PROPERTIES channel{};
    EXPECT_EQ(driver.GetChannelProperties(&unknown, &channel), WinError::DevNotExist);
    const _CLOCK_SOURCE_INFO clock{0, 1, unknown};
    EXPECT_EQ(driver.SetClockSource(&clock), WinError::DevNotExist);
}

TEST_F(Sim, OpensOnlyTheControlDeviceWhileTheDriverIsThere)
{
    uint32_t error = 0;
    EXPECT_EQ(sim.Open("\\\\.\\{00000000-6947-4ec3-989E-F3B1BD397EAA}", error), nullptr);
    EXPECT_EQ(error, WinError::FileNotFound);
    sim.SetDriverPresent(false);
    COvx1394Driver another;
    EXPECT_EQ(another.Open(kOvxDeviceName), WinError::FileNotFound);
    sim.SetDriverPresent(true);
    EXPECT_EQ(another.Open(kOvxDeviceName), DRV_OK);
}

TEST_F(Sim, AConnectionFromBeforeAnUnloadNeverAnswersAgain)
{
    _DRIVER_VERSION_INFO version{};
    ASSERT_EQ(driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{0x6666})), DRV_OK);
    sim.SetDriverPresent(false);
    sim.SetDriverPresent(true);
    EXPECT_EQ(driver.GetDriverVersion(&version), WinError::DeviceNotConnected);
    sim.RaiseEvent(EvtType_BusReset);
    EXPECT_TRUE(signals.empty());
    COvx1394Driver reopened;
    ASSERT_EQ(reopened.Open(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(reopened.GetDriverVersion(&version), DRV_OK);
}

TEST_F(Sim, ANewRankingReordersTheDeviceListAndTheChannels)
{
    std::vector<uint32_t> ids = DeviceIds();
    ASSERT_EQ(ids.size(), 3u);
    // The panel writes every device in the old order with its new position.
    const uint32_t ranking[] = {1, 0, 2};
    for (size_t i = 0; i < ids.size(); ++i) {
        _OVX_DEVICE_PROPERTIES device = Device(ids[i]);
        device.ranking = ranking[i];
        EXPECT_EQ(driver.SetDeviceProperties(&device), DRV_OK);
    }
    const std::vector<uint32_t> reordered = DeviceIds();
    EXPECT_EQ(reordered, (std::vector<uint32_t>{ids[1], ids[0], ids[2]}));

    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    ASSERT_EQ(driver.GetChannelLists(channels.get()), DRV_OK);
    _OVX_CHANNEL_PROPERTIES first{};
    ASSERT_EQ(driver.GetChannelProperties(&channels->input.ids[0], &first), DRV_OK);
    EXPECT_EQ(first.deviceId, ids[1]);
}

TEST_F(Sim, StoresNamesBoundedByTheirFields)
{
    const uint32_t id = DeviceIds()[0];
    _OVX_DEVICE_PROPERTIES device = Device(id);
    std::memset(device.name, 'x', sizeof device.name);   // no terminator
    EXPECT_EQ(driver.SetDeviceProperties(&device), DRV_OK);
    EXPECT_EQ(sim.Bus().devices[0].name, std::string(40, 'x'));
    // It answers with at most 39 characters and a terminator.
    EXPECT_EQ(std::string(FieldText(Device(id).name)), std::string(39, 'x'));

    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    ASSERT_EQ(driver.GetChannelLists(channels.get()), DRV_OK);
    const uint32_t output = channels->output.ids[1];
    _OVX_CHANNEL_PROPERTIES channel{};
    ASSERT_EQ(driver.GetChannelProperties(&output, &channel), DRV_OK);
    SetFieldText(channel.channelName, "Monitor L");
    EXPECT_EQ(driver.SetChannelProperties(&channel), DRV_OK);
    _OVX_CHANNEL_PROPERTIES again{};
    ASSERT_EQ(driver.GetChannelProperties(&output, &again), DRV_OK);
    EXPECT_EQ(FieldText(again.channelName), "Monitor L");
    EXPECT_EQ(FieldText(again.hardwareName), "Out 2");
}

TEST_F(Sim, StreamingStopAndStartChangeThePlugsAndQueueARestart)
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

TEST_F(Sim, EndlessEventsNeverRunDryUntilCleared)
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

TEST_F(Sim, AFailingPlugReportsItsCode)
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

TEST_F(Sim, SamplingRatesOutsideTheListOrWhileWdmIsBusyAreRefused)
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

TEST_F(Sim, SettingsAreStoredAsWritten)
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

TEST_F(Sim, BufferDepthsKeepTheirLayoutsAndRange)
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

TEST_F(Sim, HotPlugQueuesAConfigurationChangeAndTellsListeners)
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

TEST_F(Sim, EventsGoOnlyToRegisteredConnectionsAndTheQueueIsBounded)
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

TEST_F(Sim, TraceRecordsConnectionCodeInputAndResult)
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

TEST_F(Sim, TraceListenerSeesEachRequestAsItHappens)
{
    std::vector<uint32_t> heard;
    sim.SetTraceListener([&](const SimTraceEntry& entry) { heard.push_back(entry.result); });
    driver.SetSampleRate(44100);
    driver.SetSampleRate(1);
    sim.SetTraceListener(nullptr);
    driver.SetSampleRate(44100);
    EXPECT_EQ(heard, (std::vector<uint32_t>{0, ERROR_DRV_RATE_NOT_SUPPORTED}));
}
