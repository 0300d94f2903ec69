// One connection serialises its requests: a slow request keeps the others waiting.
#include <gtest/gtest.h>

#include <thread>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"
#include "tests/harness/FakeDeviceIo.h"

TEST_F(FakeConnection, RequestsOnOneConnectionNeverOverlap)
{
    COvx1394Driver driver;
    ASSERT_EQ(driver.Open(kOvxDeviceName), DRV_OK);
    io.HoldControls();
    std::thread first([&] { driver.StartStreaming(); });
    io.WaitUntilInside(2);   // the version request, then the held request
    std::thread second([&] { driver.StopStreaming(); });
    std::thread third([&] { driver.Close(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));   // a chance to break in
    io.Release();
    first.join();
    second.join();
    third.join();
    EXPECT_EQ(io.maxConcurrent, 1);
    EXPECT_FALSE(driver.IsOpen());
    // StopStreaming may come after Close, and then never reaches the device.
    EXPECT_GE(io.calls.size(), 2u);
    EXPECT_EQ(io.calls[1].code, OvxIoctl::StartStreaming);
}
