// The simulated driver of the default studio, opened through the panel's driver layer
// and as a raw connection, with the event signals it sends recorded.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "driver/ResultCodes.h"
#include "sim/SimDriver.h"

class CSimDriverFixture : public ::testing::Test {
protected:
    CSimDriverFixture()
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

    CSimDriver sim{DefaultBus()};
    CScopedSimDriver installed{sim};
    COvx1394Driver driver;
    std::vector<uint32_t> signals;
    uint32_t openError = 0;
    DeviceHandle handle = nullptr;
};
