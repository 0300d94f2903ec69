// The device model: what each refresh and apply asks the driver, and what it keeps.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "sim/SimDriver.h"
#include "tests/harness/FakeDeviceIo.h"

namespace {

namespace Io = OvxIoctl;

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset = 0)
{
    uint32_t word = 0;
    std::memcpy(&word, bytes.data() + offset, sizeof word);
    return word;
}

class Model : public ::testing::Test {
protected:
    explicit Model(SimBus bus = DefaultBus()) : sim(std::move(bus))
    {
        EXPECT_EQ(drv.Open(kOvxDeviceName), DRV_OK);
        sim.ClearTrace();
    }

    std::vector<uint32_t> DeviceIds() const
    {
        std::vector<uint32_t> ids;
        for (const SimDevice& device : sim.Bus().devices)
            ids.push_back(device.id);
        return ids;
    }

    CSimDriver sim;
    CScopedSimDriver installed{sim};
    CDrv drv;
};

class EmptyModel : public Model {
protected:
    EmptyModel() : Model(EmptyBus()) {}
};

}  // namespace

TEST_F(Model, StartsEmptyWithEverySettingZero)
{
    CDrv fresh;
    EXPECT_EQ(fresh.m_devices.GetSize(), 0);
    EXPECT_EQ(fresh.m_syncModes.GetSize(), 0);
    EXPECT_EQ(fresh.m_inputChannels.GetSize(), 0);
    EXPECT_EQ(fresh.m_outputChannels.GetSize(), 0);
    EXPECT_EQ(fresh.m_nAsioNameOption, 0u);
    EXPECT_EQ(fresh.m_nRateMode, 0u);
    EXPECT_EQ(fresh.m_clockSource.masterFlag, 0u);
    EXPECT_EQ(fresh.m_sampleRates.rateCount, 0u);
    EXPECT_FALSE(fresh.IsOpen());
}

TEST_F(Model, RefreshDevicesAsksTheListThenEachDeviceInOrder)
{
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    const std::vector<SimTraceEntry> trace = sim.Trace();
    const std::vector<uint32_t> ids = DeviceIds();
    ASSERT_EQ(trace.size(), 1 + ids.size());
    EXPECT_EQ(trace[0].code, Io::GetDeviceList);
    for (size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(trace[1 + i].code, Io::GetDeviceProperties);
        EXPECT_EQ(Word(trace[1 + i].input), ids[i]);
    }
    ASSERT_EQ(drv.m_devices.GetSize(), 3);
    EXPECT_EQ(FieldText(drv.m_devices.GetAt(1)->name), "Zemra Desk 4");
    EXPECT_EQ(FieldText(drv.m_devices.GetAt(2)->serialNumber), "ZR16-0007-03");
    // A list row's item data designates a record only inside the array, compared whole.
    EXPECT_EQ(drv.m_devices.AtIndex(2), drv.m_devices.GetAt(2));
    EXPECT_EQ(drv.m_devices.AtIndex(3), nullptr);
    EXPECT_EQ(drv.m_devices.AtIndex(static_cast<uintptr_t>(-1)), nullptr);
    if constexpr (sizeof(uintptr_t) > 4) {
        EXPECT_EQ(drv.m_devices.AtIndex(static_cast<uintptr_t>(0x100000001ull)), nullptr);
    }
}

TEST_F(Model, ADeviceThatCannotBeReadIsLeftOutAndItsCodeReturned)
{
    sim.FailRequest(Io::GetDeviceProperties, 0xE0000022, FaultRepeat::Once, 1);
    EXPECT_EQ(drv.RefreshDevices(), 0xE0000022u);
    const std::vector<uint32_t> ids = DeviceIds();
    ASSERT_EQ(drv.m_devices.GetSize(), 2);
    EXPECT_EQ(drv.m_devices.GetAt(0)->deviceId, ids[0]);
    EXPECT_EQ(drv.m_devices.GetAt(1)->deviceId, ids[2]);
    EXPECT_EQ(sim.CountOf(Io::GetDeviceProperties), 3u);

    // Only the first failure is reported.
    sim.FailRequest(Io::GetDeviceProperties, 0xE0000072, FaultRepeat::Always);
    EXPECT_EQ(drv.RefreshDevices(), 0xE0000072u);
    EXPECT_EQ(drv.m_devices.GetSize(), 0);
}

TEST_F(EmptyModel, NoDevicesMeansNoPerDeviceRequest)
{
    EXPECT_EQ(drv.RefreshDevices(), DRV_OK);
    EXPECT_EQ(drv.RefreshSyncModes(), DRV_OK);
    EXPECT_EQ(drv.m_devices.GetSize(), 0);
    EXPECT_EQ(sim.TraceCodes(), (std::vector<uint32_t>{Io::GetDeviceList, Io::GetDeviceList}));
    EXPECT_EQ(drv.ApplyDevices(), DRV_OK);
    EXPECT_EQ(drv.ApplySyncModes(), DRV_OK);
    EXPECT_EQ(sim.Trace().size(), 2u);
}

TEST_F(Model, AClosedConnectionEmptiesEveryArray)
{
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    ASSERT_EQ(drv.RefreshSyncModes(), DRV_OK);
    ASSERT_EQ(drv.RefreshChannels(drv.m_inputChannels, false), DRV_OK);
    ASSERT_EQ(drv.RefreshChannels(drv.m_outputChannels, true), DRV_OK);
    drv.Close();
    sim.ClearTrace();
    EXPECT_EQ(drv.RefreshDevices(), ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(drv.RefreshSyncModes(), ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(drv.RefreshChannels(drv.m_inputChannels, false), ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(drv.RefreshChannels(drv.m_outputChannels, true), ERROR_DRV_NOT_OPEN);
    EXPECT_EQ(drv.m_devices.GetSize(), 0);
    EXPECT_EQ(drv.m_syncModes.GetSize(), 0);
    EXPECT_EQ(drv.m_inputChannels.GetSize(), 0);
    EXPECT_EQ(drv.m_outputChannels.GetSize(), 0);
    EXPECT_TRUE(sim.Trace().empty());
}

TEST_F(Model, AFailedListRequestLeavesTheArrayEmpty)
{
    ASSERT_EQ(drv.RefreshSyncModes(), DRV_OK);
    ASSERT_EQ(drv.m_syncModes.GetSize(), 3);
    sim.FailRequest(Io::GetDeviceList, 1167);
    EXPECT_EQ(drv.RefreshSyncModes(), 1167u);
    EXPECT_EQ(drv.m_syncModes.GetSize(), 0);
    EXPECT_EQ(sim.CountOf(Io::GetDeviceSyncMode), 3u);
}

TEST_F(Model, RefreshingTheOutputsReadsOnlyTheSecondListAndLeavesTheInputsAlone)
{
    ASSERT_EQ(drv.RefreshChannels(drv.m_inputChannels, false), DRV_OK);
    const int inputs = drv.m_inputChannels.GetSize();
    const _OVX_CHANNEL_PROPERTIES* firstInput = drv.m_inputChannels.GetAt(0);
    const uint32_t generation = drv.m_inputChannels.Generation();
    ASSERT_EQ(inputs, 28);

    // An input count beyond the record would be noticed if it were read.
    sim.MalformAnswer(Io::GetChannelLists, Malformation::CountsBeyondCapacity);
    sim.Change([](SimBus& bus) { bus.outputs.resize(5); });
    sim.ClearTrace();
    sim.ClearFaults();
    ASSERT_EQ(drv.RefreshChannels(drv.m_outputChannels, true), DRV_OK);
    EXPECT_EQ(drv.m_outputChannels.GetSize(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(FieldText(drv.m_outputChannels.GetAt(i)->hardwareName), "Out " + std::to_string(i + 1));
    EXPECT_EQ(sim.CountOf(Io::GetChannelProperties), 5u);
    EXPECT_EQ(drv.m_inputChannels.GetSize(), inputs);
    EXPECT_EQ(drv.m_inputChannels.GetAt(0), firstInput);
    EXPECT_EQ(drv.m_inputChannels.Generation(), generation);
}

TEST_F(Model, CountsBeyondTheRecordAreReadOnlyUpToItsRoom)
{
    sim.MalformAnswer(Io::GetDeviceList, Malformation::CountsBeyondCapacity);
    sim.MalformAnswer(Io::GetChannelLists, Malformation::CountsBeyondCapacity);
    // The ids past the three real devices are zero, and the driver refuses them.
    EXPECT_NE(drv.RefreshDevices(), DRV_OK);
    EXPECT_EQ(drv.m_devices.GetSize(), 3);
    EXPECT_EQ(sim.CountOf(Io::GetDeviceProperties), 64u);
    EXPECT_NE(drv.RefreshChannels(drv.m_inputChannels, false), DRV_OK);
    EXPECT_EQ(drv.m_inputChannels.GetSize(), 28);
    EXPECT_EQ(sim.CountOf(Io::GetChannelProperties), 256u);
}

TEST(ModelListBuffers, AreZeroFilledSoAnAnswerWithoutDataMeansNoDevices)
{
    CFakeDeviceIo io;   // answers success and writes nothing
    SetDeviceIo(&io);
    {
        CDrv drv;
        ASSERT_EQ(drv.Open(kOvxDeviceName), DRV_OK);
        io.calls.clear();
        EXPECT_EQ(drv.RefreshDevices(), DRV_OK);
        EXPECT_EQ(drv.RefreshChannels(drv.m_outputChannels, true), DRV_OK);
        EXPECT_EQ(drv.m_devices.GetSize(), 0);
        EXPECT_EQ(drv.m_outputChannels.GetSize(), 0);
        ASSERT_EQ(io.calls.size(), 2u);
        EXPECT_EQ(io.calls[0].code, Io::GetDeviceList);
        EXPECT_EQ(io.calls[0].outSize, 260u);
        EXPECT_EQ(io.calls[1].code, Io::GetChannelLists);
        EXPECT_EQ(io.calls[1].outSize, 2056u);
    }
    SetDeviceIo(nullptr);
}

TEST_F(Model, ApplyDevicesStoresEveryRecordWholeAndGoesOnAfterAFailure)
{
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    for (int i = 0; i < drv.m_devices.GetSize(); ++i)
        drv.m_devices.GetAt(i)->ranking = static_cast<uint32_t>(2 - i);
    sim.ClearTrace();
    sim.FailRequest(Io::SetDeviceProperties, 0xE0000022);
    EXPECT_EQ(drv.ApplyDevices(), 0xE0000022u);
    const std::vector<SimTraceEntry> trace = sim.Trace();
    ASSERT_EQ(trace.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(trace[i].code, Io::SetDeviceProperties);
        ASSERT_EQ(trace[i].input.size(), sizeof(_OVX_DEVICE_PROPERTIES));
        EXPECT_EQ(0, std::memcmp(trace[i].input.data(), drv.m_devices.GetAt(i), sizeof(_OVX_DEVICE_PROPERTIES)));
    }
    // The second and third writes took effect, the first did not: Stage 8 and Rack 16
    // now share position 0, and Desk 4 holds position 1.
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    EXPECT_EQ(FieldText(drv.m_devices.GetAt(0)->name), "Zemra Stage 8");
    EXPECT_EQ(FieldText(drv.m_devices.GetAt(1)->name), "Zemra Rack 16");
    EXPECT_EQ(FieldText(drv.m_devices.GetAt(2)->name), "Zemra Desk 4");
}

TEST_F(Model, ApplySyncModesSendsEachRecordsHead)
{
    ASSERT_EQ(drv.RefreshSyncModes(), DRV_OK);
    _DEVICE_SYNC_MODE_INFO* second = drv.m_syncModes.GetAt(1);
    ASSERT_NE(second, nullptr);
    second->current = second->offered[3];
    sim.ClearTrace();
    EXPECT_EQ(drv.ApplySyncModes(), DRV_OK);
    const std::vector<SimTraceEntry> trace = sim.Trace();
    ASSERT_EQ(trace.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const _DEVICE_SYNC_MODE_INFO* record = drv.m_syncModes.GetAt(i);
        EXPECT_EQ(trace[i].code, Io::SetDeviceSyncMode);
        ASSERT_EQ(trace[i].input.size(), kSyncModeHeadSize);
        EXPECT_EQ(Word(trace[i].input, 0), record->deviceId);
        EXPECT_EQ(Word(trace[i].input, 4), record->current.modeCode);
        EXPECT_EQ(Word(trace[i].input, 8), record->current.sourceId);
    }
    EXPECT_EQ(sim.Bus().devices[1].currentSync.sourceId, second->offered[3].sourceId);
}

TEST_F(Model, DevicesAndSyncModesAreParallel)
{
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    ASSERT_EQ(drv.RefreshSyncModes(), DRV_OK);
    ASSERT_EQ(drv.m_devices.GetSize(), drv.m_syncModes.GetSize());
    for (int i = 0; i < drv.m_devices.GetSize(); ++i)
        EXPECT_EQ(drv.m_devices.GetAt(i)->deviceId, drv.m_syncModes.GetAt(i)->deviceId);
}

TEST_F(Model, AnIndexOutsideAnArrayReachesNoRecord)
{
    ASSERT_EQ(drv.RefreshDevices(), DRV_OK);
    EXPECT_EQ(drv.m_devices.GetAt(-1), nullptr);
    EXPECT_EQ(drv.m_devices.GetAt(3), nullptr);
    EXPECT_EQ(drv.m_devices.GetAt(1 << 30), nullptr);
    EXPECT_NE(drv.m_devices.GetAt(2), nullptr);
    EXPECT_EQ(drv.m_syncModes.GetAt(0), nullptr);
}

TEST_F(Model, EveryRebuildMakesEarlierIndicesStale)
{
    const uint32_t before = drv.m_syncModes.Generation();
    ASSERT_EQ(drv.RefreshSyncModes(), DRV_OK);
    const uint32_t filled = drv.m_syncModes.Generation();
    EXPECT_NE(filled, before);
    sim.FailRequest(Io::GetDeviceList, 31);
    drv.RefreshSyncModes();
    EXPECT_NE(drv.m_syncModes.Generation(), filled);
    drv.ClearSyncModes();
    EXPECT_EQ(drv.m_devices.Generation(), 0u);   // the other arrays keep theirs
}

TEST_F(Model, FilledArraysAreFreedWithTheModel)
{
    // Run under AddressSanitizer: a record freed twice or never fails the test run.
    auto model = std::make_unique<CDrv>();
    ASSERT_EQ(model->Open(kOvxDeviceName), DRV_OK);
    ASSERT_EQ(model->RefreshDevices(), DRV_OK);
    ASSERT_EQ(model->RefreshDevices(), DRV_OK);
    ASSERT_EQ(model->RefreshSyncModes(), DRV_OK);
    ASSERT_EQ(model->RefreshChannels(model->m_inputChannels, false), DRV_OK);
    ASSERT_EQ(model->RefreshChannels(model->m_outputChannels, true), DRV_OK);
    EXPECT_EQ(model->m_outputChannels.GetSize(), 28);
    model.reset();
    EXPECT_EQ(sim.OpenConnections(), 1u);   // only this fixture's own connection is left
}
