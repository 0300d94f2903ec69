// Misbehaviour on request: failures, slow answers and malformed records.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/RecordText.h"
#include "sim/SimDriver.h"

namespace {

namespace Io = OvxIoctl;

class SimFaults : public ::testing::Test {
protected:
    SimFaults() { EXPECT_EQ(driver.Open(kOvxDeviceName), DRV_OK); }

    uint32_t FirstDeviceId()
    {
        _DEVICE_ID_LIST list{};
        EXPECT_EQ(driver.GetDeviceList(&list), DRV_OK);
        return list.ids[0];
    }

    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    COvx1394Driver driver;
};

}  // namespace

TEST_F(SimFaults, ARequestFailsOnceOrAlways)
{
    sim.FailRequest(Io::StopStreaming, 0xE0000076);
    EXPECT_EQ(driver.StopStreaming(), 0xE0000076u);
    EXPECT_EQ(driver.StopStreaming(), DRV_OK);

    sim.FailRequest(Io::StartStreaming, 31, FaultRepeat::Always);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(driver.StartStreaming(), 31u);
    EXPECT_EQ(sim.Trace().back().result, 31u);
    sim.ClearFaults();
    EXPECT_EQ(driver.StartStreaming(), DRV_OK);
}

TEST_F(SimFaults, AFailedRequestWritesNothing)
{
    sim.FailRequest(Io::GetSampleRates, 1167);
    _SAMPLE_RATE_INFO rates;
    std::memset(&rates, 0x11, sizeof rates);
    uint32_t byteCount = 5;
    EXPECT_EQ(driver.Control(Io::GetSampleRates, nullptr, 0, &rates, sizeof rates, &byteCount), 1167u);
    EXPECT_EQ(byteCount, 0u);
    EXPECT_EQ(rates.currentRate, 0x11111111u);
}

TEST_F(SimFaults, OpeningCanFail)
{
    sim.FailRequest(kSimOpenRequest, 5);
    COvx1394Driver second;
    EXPECT_EQ(second.Open(kOvxDeviceName), 5u);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.Open(kOvxDeviceName), DRV_OK);

    // A failed open that names no error is still a failure.
    sim.FailRequest(kSimOpenRequest, 0);
    COvx1394Driver third;
    EXPECT_EQ(third.Open(kOvxDeviceName), ERROR_DRV_NOT_OPEN);
    EXPECT_FALSE(third.IsOpen());
}

TEST_F(SimFaults, SlowAnswersStillArriveWhole)
{
    sim.DelayRequest(Io::GetClockSource, std::chrono::milliseconds(30));
    _CLOCK_SOURCE_INFO clock{};
    EXPECT_EQ(driver.GetClockSource(&clock), DRV_OK);
    EXPECT_EQ(clock.masterFlag, 1u);
}

TEST_F(SimFaults, UnterminatedTextsFillTheirFields)
{
    sim.MalformAnswer(Io::GetDeviceProperties, Malformation::UnterminatedText, FaultRepeat::Once);
    const uint32_t id = FirstDeviceId();
    _OVX_DEVICE_PROPERTIES device{};
    ASSERT_EQ(driver.GetDeviceProperties(&id, &device), DRV_OK);
    EXPECT_EQ(FieldText(device.name).size(), 40u);
    EXPECT_EQ(FieldText(device.serialNumber).size(), 384u);
    EXPECT_EQ(device.deviceId, id);   // the numbers stay right

    ASSERT_EQ(driver.GetDeviceProperties(&id, &device), DRV_OK);
    EXPECT_EQ(FieldText(device.name), "Zemra Stage 8");

    sim.MalformAnswer(Io::GetDeviceSyncMode, Malformation::UnterminatedText);
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    ASSERT_EQ(driver.GetDeviceSyncMode(&id, sync.get()), DRV_OK);
    EXPECT_EQ(FieldText(sync->current.name).size(), 40u);
    EXPECT_EQ(FieldText(sync->offered[15].name).size(), 40u);
}

TEST_F(SimFaults, CountsCanExceedTheRecordsRoom)
{
    for (uint32_t code : {Io::GetDeviceList, Io::GetChannelLists, Io::GetSampleRates,
                          Io::GetDeviceSyncMode, Io::GetStreamInfo})
        sim.MalformAnswer(code, Malformation::CountsBeyondCapacity);
    const uint32_t id = FirstDeviceId();

    _DEVICE_ID_LIST list{};
    ASSERT_EQ(driver.GetDeviceList(&list), DRV_OK);
    EXPECT_GT(list.count, kMaxDevices);
    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    ASSERT_EQ(driver.GetChannelLists(channels.get()), DRV_OK);
    EXPECT_GT(channels->input.count, kMaxChannels);
    EXPECT_GT(channels->output.count, kMaxChannels);
    _SAMPLE_RATE_INFO rates{};
    ASSERT_EQ(driver.GetSampleRates(&rates), DRV_OK);
    EXPECT_GT(rates.rateCount, kMaxSampleRates);
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    ASSERT_EQ(driver.GetDeviceSyncMode(&id, sync.get()), DRV_OK);
    EXPECT_GT(sync->offeredCount, kMaxSyncModes);
    _STREAM_INFO stream{};
    ASSERT_EQ(driver.GetStreamInfo(&id, &stream), DRV_OK);
    EXPECT_GT(stream.synchIn.rateCount, kMaxSampleRates);
}

TEST_F(SimFaults, AShortAnswerLeavesTheRestOfTheBufferAlone)
{
    sim.MalformAnswer(Io::GetSampleRates, Malformation::ShortAnswer);
    _SAMPLE_RATE_INFO rates;
    std::memset(&rates, 0, sizeof rates);
    uint32_t byteCount = 0;
    ASSERT_EQ(driver.Control(Io::GetSampleRates, nullptr, 0, &rates, sizeof rates, &byteCount), DRV_OK);
    EXPECT_EQ(byteCount, 22u);
    EXPECT_EQ(rates.currentRate, 48000u);
    EXPECT_EQ(rates.rates[7], 0u);
}
