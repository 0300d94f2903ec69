// A driver that answers every request with random bytes. Under AddressSanitizer this
// shows that no answer, however malformed, is read past its record.
#include <gtest/gtest.h>

#include <random>

#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "driver/RecordText.h"

namespace {

class CGarbageDeviceIo final : public IDeviceIo {
public:
    explicit CGarbageDeviceIo(uint32_t seed) : m_random(seed) {}

    DeviceHandle Open(const char*, uint32_t& error) override
    {
        error = 0;
        return reinterpret_cast<DeviceHandle>(uintptr_t{0x40});
    }

    uint32_t Control(DeviceHandle, uint32_t code, const void* in, uint32_t inSize, void* out,
                     uint32_t outSize, uint32_t& bytesReturned) override
    {
        // Read the whole input, as a transport does when it hands it to the driver.
        const auto* input = static_cast<const uint8_t*>(in);
        for (uint32_t i = 0; i < inSize; ++i)
            m_inputSum += input[i];
        auto* bytes = static_cast<uint8_t*>(out);
        for (uint32_t i = 0; i < outSize; ++i)
            bytes[i] = static_cast<uint8_t>(m_random());
        bytesReturned = outSize;
        if (code == OvxIoctl::GetDriverVersion && outSize >= 2) {   // a version the panel accepts
            bytes[0] = 2;
            bytes[1] = 14;
            return 0;
        }
        // Most answers succeed, so that the per-item requests are reached.
        return m_random() % 8 == 0 ? 0xE0000022u : 0u;
    }

    void Close(DeviceHandle) override {}

private:
    std::mt19937 m_random;
    uint32_t m_inputSum = 0;
};

}  // namespace

TEST(GarbageAnswers, NeverReadPastARecordAndKeepTheLimits)
{
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        CGarbageDeviceIo io(seed);
        SetDeviceIo(&io);
        {
            CDrv drv;
            ASSERT_EQ(drv.Open(kOvxDeviceName), DRV_OK);
            drv.RefreshDevices();
            drv.RefreshSyncModes();
            drv.RefreshChannels(drv.m_inputChannels, false);
            drv.RefreshChannels(drv.m_outputChannels, true);
            EXPECT_LE(drv.m_devices.GetSize(), static_cast<int>(kMaxDevices));
            EXPECT_LE(drv.m_syncModes.GetSize(), static_cast<int>(kMaxDevices));
            EXPECT_LE(drv.m_inputChannels.GetSize(), static_cast<int>(kMaxChannels));
            EXPECT_LE(drv.m_outputChannels.GetSize(), static_cast<int>(kMaxChannels));
            size_t text = 0;
            for (int i = 0; i < drv.m_devices.GetSize(); ++i) {
                text += FieldText(drv.m_devices.GetAt(i)->name).size();
                EXPECT_LE(FieldText(drv.m_devices.GetAt(i)->serialNumber).size(),
                          sizeof(_OVX_DEVICE_PROPERTIES::serialNumber));
            }
            for (int i = 0; i < drv.m_outputChannels.GetSize(); ++i)
                text += FieldText(drv.m_outputChannels.GetAt(i)->channelName).size();
            EXPECT_LE(text, kNameFieldSize * (kMaxDevices + kMaxChannels));
            drv.ApplyDevices();
            drv.ApplySyncModes();
        }
        SetDeviceIo(nullptr);
    }
}
