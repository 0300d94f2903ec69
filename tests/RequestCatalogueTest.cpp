// The request catalogue: codes, the bytes each wrapper sends, and the error texts.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/ResultCodes.h"
#include "text/DriverErrorText.h"
#include "tests/harness/FakeDeviceIo.h"

namespace {

class Wrappers : public ::testing::Test {
protected:
    Wrappers()
    {
        SetDeviceIo(&io);
        EXPECT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
        io.calls.clear();
    }
    ~Wrappers() override
    {
        driver.Close();
        SetDeviceIo(nullptr);
    }

    const FakeCall& OnlyCall() const
    {
        EXPECT_EQ(io.calls.size(), 1u);
        return io.calls.back();
    }

    CFakeDeviceIo io;
    COvx1394Driver driver;
};

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes)
{
    return bytes;
}

}  // namespace

TEST(Catalogue, HasDistinctBufferedCodesAndNamesOfDeviceType0x8088)
{
    const auto catalogue = OvxIoctl::Catalogue();
    std::set<uint32_t> codes;
    std::set<std::string> names;
    for (const OvxIoctl::Request& request : catalogue) {
        SCOPED_TRACE(request.name);
        const uint32_t function = (request.code >> 2) & 0xFFF;
        EXPECT_EQ(request.code, 0x80880000u + 4 * function);
        EXPECT_GE(function, 0xA01u);
        EXPECT_LE(function, 0xAB2u);
        EXPECT_EQ(OvxIoctl::FindRequest(request.code), &request);
        codes.insert(request.code);
        names.insert(request.name);
    }
    EXPECT_EQ(codes.size(), catalogue.size());
    EXPECT_EQ(names.size(), catalogue.size());
    EXPECT_EQ(OvxIoctl::FindRequest(OvxIoctl::Code(0xA02)), nullptr);
}

TEST_F(Wrappers, EachSendsItsCodeWithTheCataloguesBufferSizes)
{
    _DRIVER_VERSION_INFO version{};
    uint32_t word = 0;
    _DRIVER_EVENT_INFO event{};
    _DEVICE_ID_LIST list{};
    auto channels = std::make_unique<_CHANNEL_ID_LISTS>();
    _CLOCK_SOURCE_INFO clock{};
    _SAMPLE_RATE_INFO rates{};
    auto sync = std::make_unique<_DEVICE_SYNC_MODE_INFO>();
    _OVX_DEVICE_PROPERTIES device{};
    _STREAM_INFO stream{};
    _OVX_CHANNEL_PROPERTIES channel{};
    _BUFFER_DEPTH_INFO depth{};
    _ASIO_STATISTICS statistics{};
    const uint32_t id = 5;

    namespace Io = OvxIoctl;
    const std::vector<std::pair<uint32_t, std::function<DrvResult()>>> calls = {
        {Io::GetDriverVersion, [&] { return driver.GetDriverVersion(&version); }},
        {Io::GetAsioNameOption, [&] { return driver.GetAsioNameOption(&word); }},
        {Io::SetAsioNameOption, [&] { return driver.SetAsioNameOption(&word); }},
        {Io::RegisterNotificationEvent, [&] { return driver.RegisterNotificationEvent(&word); }},
        {Io::GetNextEvent, [&] { return driver.GetNextEvent(&event); }},
        {Io::GetDeviceList, [&] { return driver.GetDeviceList(&list); }},
        {Io::GetChannelLists, [&] { return driver.GetChannelLists(channels.get()); }},
        {Io::GetClockSource, [&] { return driver.GetClockSource(&clock); }},
        {Io::SetClockSource, [&] { return driver.SetClockSource(&clock); }},
        {Io::GetRateMode, [&] { return driver.GetRateMode(&word); }},
        {Io::SetRateMode, [&] { return driver.SetRateMode(1); }},
        {Io::GetSampleRates, [&] { return driver.GetSampleRates(&rates); }},
        {Io::SetSampleRate, [&] { return driver.SetSampleRate(48000); }},
        {Io::GetDeviceSyncMode, [&] { return driver.GetDeviceSyncMode(&id, sync.get()); }},
        {Io::SetDeviceSyncMode, [&] { return driver.SetDeviceSyncMode(sync.get()); }},
        {Io::GetDeviceProperties, [&] { return driver.GetDeviceProperties(&id, &device); }},
        {Io::SetDeviceProperties, [&] { return driver.SetDeviceProperties(&device); }},
        {Io::GetStreamInfo, [&] { return driver.GetStreamInfo(&id, &stream); }},
        {Io::GetChannelProperties, [&] { return driver.GetChannelProperties(&id, &channel); }},
        {Io::SetChannelProperties, [&] { return driver.SetChannelProperties(&channel); }},
        {Io::StartStreaming, [&] { return driver.StartStreaming(); }},
        {Io::StopStreaming, [&] { return driver.StopStreaming(); }},
        {Io::GetStreamBufferDepth, [&] { return driver.GetStreamBufferDepth(&depth); }},
        {Io::SetStreamBufferDepth, [&] { return driver.SetStreamBufferDepth(&depth); }},
        {Io::GetAsioBufferDepth, [&] { return driver.GetAsioBufferDepth(&depth); }},
        {Io::SetAsioBufferDepth, [&] { return driver.SetAsioBufferDepth(&depth); }},
        {Io::GetWdmBufferDepth, [&] { return driver.GetWdmBufferDepth(&depth); }},
        {Io::SetWdmBufferDepth, [&] { return driver.SetWdmBufferDepth(&depth); }},
        {Io::GetAsioStatistics, [&] { return driver.GetAsioStatistics(&statistics); }},
    };
    ASSERT_EQ(calls.size(), Io::Catalogue().size());
    for (const auto& [code, call] : calls) {
        const Io::Request* request = Io::FindRequest(code);
        ASSERT_NE(request, nullptr);
        SCOPED_TRACE(request->name);
        io.calls.clear();
        EXPECT_EQ(call(), DRV_OK);
        const FakeCall& sent = OnlyCall();
        EXPECT_EQ(sent.code, code);
        EXPECT_EQ(sent.inSize, request->inSize);
        EXPECT_EQ(sent.outSize, request->outSize);
    }
}

TEST_F(Wrappers, ValueRequestsSendTheirExactBytes)
{
    driver.SetRateMode(1);
    EXPECT_EQ(OnlyCall().input, Bytes({0, 0, 0, 0, 1, 0, 0, 0}));
    io.calls.clear();
    driver.SetSampleRate(44100);
    EXPECT_EQ(OnlyCall().input, Bytes({0, 0, 0, 0, 0x44, 0xAC, 0, 0}));
    io.calls.clear();
    // The handle value itself, not the address of a variable holding it.
    driver.RegisterNotificationEvent(reinterpret_cast<void*>(uintptr_t{0x1234ABCD}));
    EXPECT_EQ(OnlyCall().input, Bytes({0xCD, 0xAB, 0x34, 0x12}));
    io.calls.clear();
    driver.StartStreaming();
    EXPECT_TRUE(OnlyCall().input.empty());
}

TEST_F(Wrappers, RecordRequestsSendTheRecordAsGiven)
{
    _DEVICE_SYNC_MODE_INFO sync{};
    sync.deviceId = 0x01020304;
    sync.current.modeCode = 5;
    sync.current.sourceId = 0xA0B0C0D0;
    sync.offeredCount = 9;   // beyond the head: not sent
    driver.SetDeviceSyncMode(&sync);
    EXPECT_EQ(OnlyCall().input,
              Bytes({4, 3, 2, 1, 5, 0, 0, 0, 0xD0, 0xC0, 0xB0, 0xA0}));

    io.calls.clear();
    const uint32_t id = 0xCAFE;
    _OVX_DEVICE_PROPERTIES device{};
    driver.GetDeviceProperties(&id, &device);
    EXPECT_EQ(OnlyCall().input, Bytes({0xFE, 0xCA, 0, 0}));

    io.calls.clear();
    _CLOCK_SOURCE_INFO clock{0xEEEEEEEE, 1, 7};
    driver.SetClockSource(&clock);
    EXPECT_EQ(OnlyCall().input, Bytes({0xEE, 0xEE, 0xEE, 0xEE, 1, 0, 0, 0, 7, 0, 0, 0}));

    io.calls.clear();
    _BUFFER_DEPTH_INFO depth{};
    depth.audio = {5000, 1000, 1000, 240};
    driver.SetAsioBufferDepth(&depth);
    EXPECT_EQ(OnlyCall().input, Bytes({0x88, 0x13, 0, 0, 0xE8, 3, 0, 0, 0xE8, 3, 0, 0, 240, 0, 0, 0}));
}

TEST(DriverErrorTexts, KnowsTheRecognisedCodesAndNothingElse)
{
    const std::pair<DrvResult, const char*> known[] = {
        {0xE0000022, "Negative response for an FCP request."},
        {0xE0000072, "Channel allocation failed."},
        {0xE0000073, "Bandwidth allocation failed."},
        {0xE0000074, "ISO resource allocation failed."},
        {0xE0000076, "Start streaming failed."},
        {0xE0000077, "Channel number has changed because of bus reset."},
        {0xE0000080, "Selected sampling rate not supported."},
        {0xE0000047, "A WDM sound device is currently in use.\nSampling rate cannot be changed."},
    };
    std::set<uint32_t> ids;
    for (const auto& [code, text] : known) {
        const DriverErrorText* entry = FindDriverErrorText(code);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->text, text);
        ids.insert(entry->stringId);
    }
    EXPECT_EQ(ids.size(), std::size(known));
    for (DrvResult unknown : {0u, 2u, 0xE0000001u, 0xE0000013u, 0xE0000075u, 0xE0000081u})
        EXPECT_EQ(FindDriverErrorText(unknown), nullptr);
}
