// The simulated driver answers like a driver: sizes checked, unknown ids refused, the
// control device opened only while the driver is there, rankings and names stored.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "driver/RecordText.h"
#include "tests/SimDriverFixture.h"

namespace {

namespace Io = OvxIoctl;

class Sim : public CSimDriverFixture {
protected:
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
    // The unload wakes the listener once, to find nothing answering.
    EXPECT_EQ(signals, std::vector<uint32_t>{0x6666});
    sim.RaiseEvent(EvtType_BusReset);
    EXPECT_EQ(signals, std::vector<uint32_t>{0x6666});
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
