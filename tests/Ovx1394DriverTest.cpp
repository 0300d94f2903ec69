// The connection: opening, the interface version rule, closed-state behaviour, the lock.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <type_traits>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "sim/SimDriver.h"
#include "tests/harness/FakeDeviceIo.h"

namespace {

class SimConnection : public ::testing::Test {
protected:
    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
};

}  // namespace

TEST_F(FakeConnection, OpensTheDevicePathAndAsksTheVersionFirst)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    EXPECT_TRUE(driver.IsOpen());
    ASSERT_EQ(io.openedPaths.size(), 1u);
    EXPECT_EQ(io.openedPaths[0], "\\\\.\\{918D4F3E-6947-4ec3-989E-F3B1BD397EAA}");
    ASSERT_EQ(io.calls.size(), 1u);
    EXPECT_EQ(io.calls[0].code, OvxIoctl::GetDriverVersion);
    EXPECT_EQ(io.calls[0].inSize, 0u);
    EXPECT_EQ(io.calls[0].outSize, 12u);
}

TEST_F(FakeConnection, AcceptsOnlyInterfaceTwoPointFourteenAndLater)
{
    struct Case {
        uint8_t major, minor;
        DrvResult expected;
    };
    const Case cases[] = {
        {2, 14, DRV_OK}, {2, 15, DRV_OK}, {2, 200, DRV_OK}, {2, 255, DRV_OK},
        {2, 13, ERROR_DRV_INTERFACE_VERSION}, {2, 0, ERROR_DRV_INTERFACE_VERSION},
        {1, 14, ERROR_DRV_INTERFACE_VERSION}, {1, 200, ERROR_DRV_INTERFACE_VERSION},
        {3, 0, ERROR_DRV_INTERFACE_VERSION}, {3, 14, ERROR_DRV_INTERFACE_VERSION},
        {0, 14, ERROR_DRV_INTERFACE_VERSION}, {255, 255, ERROR_DRV_INTERFACE_VERSION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.major} << "." << int{c.minor});
        io.version.interfaceMajor = c.major;
        io.version.interfaceMinor = c.minor;
        io.closed.clear();
        COvx1394Driver driver;
        EXPECT_EQ(driver.Open(kOvxDeviceName), c.expected);
        EXPECT_EQ(driver.IsOpen(), c.expected == DRV_OK);
        // A rejected driver's handle is closed at once.
        EXPECT_EQ(io.closed.size(), c.expected == DRV_OK ? 0u : 1u);
    }
}

TEST_F(FakeConnection, OpenOnAnOpenConnectionKeepsItsHandleWhateverTheName)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(driver.Open("SomethingElse"), DRV_OK);
    EXPECT_EQ(io.openedPaths.size(), 1u);
    EXPECT_EQ(io.calls.size(), 1u);
    EXPECT_TRUE(io.closed.empty());
}

TEST_F(FakeConnection, ClosedConnectionTouchesNoBufferAndSendsNothing)
{
    COvx1394Driver driver;
    struct Counting final : IRequestObserver {
        int told = 0;
        void OnRequest(uint32_t, const void*, uint32_t, DrvResult) override { ++told; }
    } observer;
    driver.SetRequestObserver(&observer);
    uint8_t out[16];
    std::memset(out, 0xCD, sizeof out);
    uint32_t byteCount = 12345;
    const uint32_t in = 7;
    EXPECT_EQ(driver.Control(OvxIoctl::GetAsioBufferDepth, &in, 4, out, sizeof out, &byteCount),
              ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(byteCount, 12345u);
    for (uint8_t byte : out)
        EXPECT_EQ(byte, 0xCD);

    uint32_t mode = 0xABCD;
    EXPECT_EQ(driver.GetRateMode(&mode), ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(mode, 0xABCDu);
    EXPECT_TRUE(io.calls.empty());
    EXPECT_EQ(observer.told, 0);   // a failed-request journal keeps only what the driver was asked
}

TEST_F(FakeConnection, CloseIsHarmlessWhenClosedAndTheDestructorClosesOnce)
{
    {
        COvx1394Driver driver;
        driver.Close();
        ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
        driver.Close();
        driver.Close();
        EXPECT_FALSE(driver.IsOpen());
    }
    EXPECT_EQ(io.closed.size(), 1u);
    {
        COvx1394Driver driver;
        ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    }
    EXPECT_EQ(io.closed.size(), 2u);
}

TEST_F(FakeConnection, AFailedOpenLeavesItClosedAndTheNextOpenStartsAgain)
{
    COvx1394Driver driver;
    io.openError = 2;
    EXPECT_EQ(driver.Open(kOvxDeviceName), 2u);
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_TRUE(io.calls.empty());

    io.openError = 0;
    EXPECT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    EXPECT_TRUE(driver.IsOpen());
    EXPECT_EQ(io.openedPaths.size(), 2u);
    ASSERT_EQ(io.calls.size(), 1u);
    EXPECT_EQ(io.calls[0].code, OvxIoctl::GetDriverVersion);
}

TEST_F(SimConnection, VersionFailureClosesAndReturnsTheDriversCode)
{
    sim.FailRequest(OvxIoctl::GetDriverVersion, 31);
    COvx1394Driver driver;
    EXPECT_EQ(driver.Open(kOvxDeviceName), 31u);
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_EQ(sim.OpenConnections(), 0u);
    EXPECT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(sim.OpenConnections(), 1u);
}

TEST_F(SimConnection, ByteCountIsReportedOnSuccessAndOnFailure)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    _SAMPLE_RATE_INFO rates{};
    uint32_t byteCount = 999;
    EXPECT_EQ(driver.Control(OvxIoctl::GetSampleRates, nullptr, 0, &rates, sizeof rates, &byteCount),
              DRV_OK);
    EXPECT_EQ(byteCount, 44u);
    byteCount = 999;
    EXPECT_EQ(driver.Control(OvxIoctl::GetSampleRates, nullptr, 0, &rates, 40, &byteCount), 122u);
    EXPECT_EQ(byteCount, 0u);
    // Without a count the request works the same.
    EXPECT_EQ(driver.Control(OvxIoctl::GetSampleRates, nullptr, 0, &rates, sizeof rates), DRV_OK);
}

TEST_F(SimConnection, GetRateModeWritesTheWordOnlyOnSuccess)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    sim.Change([](SimBus& bus) { bus.rateMode = 1; });
    uint32_t mode = 77;
    sim.FailRequest(OvxIoctl::GetRateMode, 0xE0000022);
    EXPECT_EQ(driver.GetRateMode(&mode), 0xE0000022u);
    EXPECT_EQ(mode, 77u);
    EXPECT_EQ(driver.GetRateMode(&mode), DRV_OK);
    EXPECT_EQ(mode, 1u);
}

TEST_F(SimConnection, TwoConnectionsAreIndependent)
{
    COvx1394Driver model;
    COvx1394Driver notifier;
    ASSERT_EQ(model.Open(kOvxDeviceName), DRV_OK);
    ASSERT_EQ(notifier.Open(kOvxDeviceName), DRV_OK);
    EXPECT_EQ(sim.OpenConnections(), 2u);
    notifier.Close();
    EXPECT_TRUE(model.IsOpen());
    EXPECT_EQ(model.StopStreaming(), DRV_OK);
    EXPECT_EQ(sim.Trace().back().connection, 1u);
}

TEST(PlatformDeviceIo, AMachineWithoutTheDriverRefusesToOpen)
{
    COvx1394Driver driver;
    const DrvResult result = driver.Open(kOvxDeviceName);
    EXPECT_EQ(result, 2u);   // ERROR_FILE_NOT_FOUND, as the system reports it
    EXPECT_FALSE(driver.IsOpen());
    EXPECT_EQ(driver.StartStreaming(), ERROR_DRV_NOT_OPEN);
}

// A driver that reports fewer bytes than the record: the rest of the record would be
// whatever the buffer held before, so no reader takes it, and the caller's record stays.
TEST_F(SimConnection, AShortAnswerIsAFailureAndLeavesTheCallersRecord)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    const uint32_t deviceId = DefaultBus().devices.front().id;
    const uint32_t channelId = DefaultBus().inputs.front().id;
    const auto check = [&](uint32_t code, auto* record, const std::function<DrvResult()>& read) {
        SCOPED_TRACE(OvxIoctl::FindRequest(code)->name);
        std::memset(record, 0xAB, sizeof *record);
        auto before = std::make_unique<std::remove_pointer_t<decltype(record)>>(*record);
        sim.MalformAnswer(code, Malformation::ShortAnswer, FaultRepeat::Once);
        EXPECT_EQ(read(), ERROR_DRV_SHORT_ANSWER);
        EXPECT_EQ(std::memcmp(record, before.get(), sizeof *record), 0);
        EXPECT_EQ(read(), DRV_OK);   // the next, whole answer is taken
    };
    namespace Io = OvxIoctl;
    _DRIVER_VERSION_INFO version;
    check(Io::GetDriverVersion, &version, [&] { return driver.GetDriverVersion(&version); });
    uint32_t option;
    check(Io::GetAsioNameOption, &option, [&] { return driver.GetAsioNameOption(&option); });
    _DEVICE_ID_LIST list;
    check(Io::GetDeviceList, &list, [&] { return driver.GetDeviceList(&list); });
    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    check(Io::GetChannelLists, channels.get(), [&] { return driver.GetChannelLists(channels.get()); });
    _CLOCK_SOURCE_INFO clock;
    check(Io::GetClockSource, &clock, [&] { return driver.GetClockSource(&clock); });
    uint32_t mode;
    check(Io::GetRateMode, &mode, [&] { return driver.GetRateMode(&mode); });
    _SAMPLE_RATE_INFO rates;
    check(Io::GetSampleRates, &rates, [&] { return driver.GetSampleRates(&rates); });
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    check(Io::GetDeviceSyncMode, sync.get(), [&] { return driver.GetDeviceSyncMode(&deviceId, sync.get()); });
    _OVX_DEVICE_PROPERTIES device;
    check(Io::GetDeviceProperties, &device, [&] { return driver.GetDeviceProperties(&deviceId, &device); });
    _STREAM_INFO stream;
    check(Io::GetStreamInfo, &stream, [&] { return driver.GetStreamInfo(&deviceId, &stream); });
    _OVX_CHANNEL_PROPERTIES channel;
    check(Io::GetChannelProperties, &channel, [&] { return driver.GetChannelProperties(&channelId, &channel); });
    _BUFFER_DEPTH_INFO depth;
    check(Io::GetStreamBufferDepth, &depth, [&] { return driver.GetStreamBufferDepth(&depth); });
    check(Io::GetAsioBufferDepth, &depth, [&] { return driver.GetAsioBufferDepth(&depth); });
    check(Io::GetWdmBufferDepth, &depth, [&] { return driver.GetWdmBufferDepth(&depth); });
    _ASIO_STATISTICS statistics;
    check(Io::GetAsioStatistics, &statistics, [&] { return driver.GetAsioStatistics(&statistics); });
}
