// The driver layer's named operations and its one reader on the simulated driver: the
// rules that refuse a value before anything is sent, the frames and their order, and
// the failures named by the request that failed.
#include <gtest/gtest.h>

#include <functional>

#include "driver/ControlCodes.h"
#include "protocol/BufferDepthWrite.h"
#include "protocol/DriverReader.h"
#include "protocol/NameRule.h"
#include "protocol/RankingWrite.h"
#include "protocol/SynchronisationWrite.h"
#include "sim/SimDriver.h"

namespace {

namespace Io = OvxIoctl;
using Codes = std::vector<uint32_t>;

class Protocol : public ::testing::Test {
protected:
    Protocol()
    {
        EXPECT_EQ(drv.Open(kOvxDeviceName), DRV_OK);
        EXPECT_TRUE(CDriverReader(drv).Devices(state).Ok());
        EXPECT_TRUE(CDriverReader(drv).SyncModes(state).Ok());
        EXPECT_TRUE(CDriverReader(drv).Buffers(state).Ok());
        sim.ClearTrace();
    }

    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    COvx1394Driver drv;
    DriverState state;
};

// Hands every request to the simulated driver, and calls a hook before the nth request
// of a code: outside the driver's lock, as another program would change the bus.
class CInterruptedIo final : public IDeviceIo {
public:
    CInterruptedIo(CSimDriver& sim, uint32_t code, int nth, std::function<void()> hook)
        : m_sim(sim), m_code(code), m_nth(nth), m_hook(std::move(hook))
    {
    }
    DeviceHandle Open(const char* path, uint32_t& error) override { return m_sim.Open(path, error); }
    void Close(DeviceHandle handle) override { m_sim.Close(handle); }
    uint32_t Control(DeviceHandle handle, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                     uint32_t& bytesReturned) override
    {
        if (code == m_code && ++m_seen == m_nth)
            m_hook();
        return m_sim.Control(handle, code, in, inSize, out, outSize, bytesReturned);
    }

private:
    CSimDriver& m_sim;
    uint32_t m_code;
    int m_nth;
    int m_seen = 0;
    std::function<void()> m_hook;
};

TEST(NameRule, OneRuleForEveryName)
{
    const struct {
        std::string utf8;
        WriteRule rule;
    } cases[] = {{"Desk", WriteRule::None},
                 {std::string(39, 'x'), WriteRule::None},
                 {"Caf\xC3\xA9", WriteRule::None},   // in code page 1252
                 {"", WriteRule::None},
                 {std::string(40, 'x'), WriteRule::NameTooLong},
                 {"\x1B]0;pwned\x07", WriteRule::NameControlCharacter},
                 {std::string("Zemra Desk 4\0X", 14), WriteRule::NameControlCharacter},
                 {"\xD0\x9F\xD1\x83\xD0\xBB\xD1\x8C\xD1\x82", WriteRule::NameNotInCodePage}};   // Cyrillic
    for (const auto& c : cases) {
        std::string ansi;
        EXPECT_EQ(CheckNameFromUtf8(c.utf8, ansi), c.rule) << c.utf8;
    }
}

TEST_F(Protocol, TheSynchronisationFrameSendsOnlyWhatItIsGivenAndNeverThePcWithAnAutomaticRate)
{
    SynchronisationSettings settings;
    settings.clockSource = {0, 0, 0};   // the PC driver
    settings.sendClockSource = true;
    settings.rateMode = 1;
    settings.sendRateMode = false;
    const SynchronisationOutcome outcome = ApplySynchronisation(drv, settings);
    EXPECT_TRUE(outcome.outcome.Ok());
    EXPECT_EQ(sim.TraceCodes(), (Codes{Io::StopStreaming, Io::SetClockSource, Io::SetRateMode, Io::StartStreaming}));
    EXPECT_EQ(sim.Bus().rateMode, 0u);

    sim.ClearTrace();
    sim.FailRequest(Io::StartStreaming, ERROR_DRV_START_STREAMING);
    settings.sendClockSource = false;
    settings.rateMode = 0;   // as the driver now holds it
    settings.syncModes = {&state.syncModes[1]};
    const SynchronisationOutcome stopped = ApplySynchronisation(drv, settings);
    EXPECT_EQ(sim.TraceCodes(), (Codes{Io::StopStreaming, Io::SetDeviceSyncMode, Io::StartStreaming}));
    EXPECT_TRUE(stopped.outcome.StreamingLeftStopped());
    EXPECT_TRUE(stopped.outcome.refused.Ok());   // the modes were taken; only the restart failed
    EXPECT_STREQ(stopped.outcome.restart.RequestName(), "StartStreaming");

    sim.ClearTrace();
    sim.FailRequest(Io::StopStreaming, ERROR_DRV_START_STREAMING);
    const SynchronisationOutcome refused = ApplySynchronisation(drv, settings);
    EXPECT_FALSE(refused.framed);
    EXPECT_EQ(sim.TraceCodes(), Codes{Io::StopStreaming});
    EXPECT_STREQ(refused.outcome.refused.RequestName(), "StopStreaming");
}

TEST_F(Protocol, ADepthOffItsScaleSendsNothingAndTheStreamBufferRestartsEvenAfterARefusal)
{
    const _BUFFER_DEPTH_INFO asio = state.DepthOf(BufferKind::Asio);
    EXPECT_EQ(SetBufferDepth(drv, BufferKind::Asio, asio, 8500).rule, WriteRule::DepthOffTheScale);
    EXPECT_EQ(SetBufferDepth(drv, BufferKind::Asio, asio, 41000).rule, WriteRule::DepthOffTheScale);
    EXPECT_TRUE(sim.Trace().empty());
    EXPECT_TRUE(SetBufferDepth(drv, BufferKind::Asio, asio, 8000).Ok());
    EXPECT_EQ(sim.TraceCodes(), Codes{Io::SetAsioBufferDepth});

    sim.ClearTrace();
    sim.FailRequest(Io::SetStreamBufferDepth, WinError::InvalidParameter);
    const WriteOutcome outcome =
        SetBufferDepth(drv, BufferKind::Stream, state.DepthOf(BufferKind::Stream), 2500);
    EXPECT_EQ(sim.TraceCodes(), (Codes{Io::SetStreamBufferDepth, Io::StopStreaming, Io::StartStreaming}));
    EXPECT_STREQ(outcome.refused.RequestName(), "SetStreamBufferDepth");
    EXPECT_FALSE(outcome.StreamingLeftStopped());
}

TEST_F(Protocol, ARankingGivesEveryDeviceItsOwnPlaceOrSendsNothing)
{
    std::vector<_OVX_DEVICE_PROPERTIES*> records;
    for (_OVX_DEVICE_PROPERTIES& device : state.devices)
        records.push_back(&device);
    for (const std::vector<size_t>& wrong : {std::vector<size_t>{0, 1}, {0, 1, 1}, {0, 1, 3}})
        EXPECT_EQ(StoreRanking(drv, records, wrong).rule, WriteRule::RankingNotAnOrder);
    EXPECT_TRUE(sim.Trace().empty());

    const std::vector<size_t> order = {2, 0, 1};
    EXPECT_TRUE(StoreRanking(drv, records, order).Ok());
    EXPECT_EQ(sim.TraceCodes(), Codes(3, Io::SetDeviceProperties));
    const SimBus bus = sim.Bus();
    EXPECT_EQ(bus.devices[2].ranking, 0u);
    EXPECT_EQ(bus.devices[0].ranking, 1u);
    EXPECT_EQ(bus.devices[1].ranking, 2u);
}

TEST_F(Protocol, TheReaderKeepsWhatItCouldReadAndNamesTheFirstRequestThatFailed)
{
    sim.FailRequest(Io::GetDeviceProperties, ERROR_DRV_FCP_NEGATIVE_RESPONSE);
    DriverState read;
    const RequestFailure failure = CDriverReader(drv).Devices(read);
    EXPECT_STREQ(failure.RequestName(), "GetDeviceProperties");
    EXPECT_EQ(failure.code, ERROR_DRV_FCP_NEGATIVE_RESPONSE);
    EXPECT_EQ(read.devices.size(), 2u);

    // A device that leaves between the two reads of the device list is no device of
    // the synchronisation list: the picture is refused, not mismatched.
    ASSERT_TRUE(CDriverReader(drv).Devices(read).Ok());
    const uint32_t leaving = read.devices[0].deviceId;
    CInterruptedIo io(sim, Io::GetDeviceList, 1, [&] { sim.UnplugDevice(leaving); });
    SetDeviceIo(&io);
    COvx1394Driver other;
    ASSERT_EQ(other.Open(kOvxDeviceName), DRV_OK);
    const RequestFailure changed = CDriverReader(other).SyncModes(read);
    SetDeviceIo(nullptr);
    EXPECT_EQ(changed.code, ERROR_DRV_LIST_CHANGED);
    EXPECT_EQ(read.syncModes.size(), read.devices.size());
    EXPECT_EQ(read.syncModes[0].deviceId, leaving);
    EXPECT_EQ(read.syncModes[0].offeredCount, 0u);
}

}  // namespace
