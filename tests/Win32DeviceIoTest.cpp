// The real Win32 transport, on what a machine without the driver has.
#include <gtest/gtest.h>

#include <windows.h>

#include "driver/ControlCodes.h"
#include "driver/Ovx1394Driver.h"

TEST(Win32DeviceIo, OpenFailureReportsTheSystemsErrorAndNoHandle)
{
    uint32_t error = 0;
    DeviceHandle handle = PlatformDeviceIo().Open("\\\\.\\{918D4F3E-6947-4ec3-989E-F3B1BD397EAA}", error);
    EXPECT_EQ(handle, nullptr);   // never INVALID_HANDLE_VALUE
    EXPECT_EQ(error, static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST(Win32DeviceIo, ADeviceThatIsNotTheDriverIsClosedAgainAfterTheVersionRequest)
{
    // The null device opens, but answers no control request of ours.
    COvx1394Driver driver;
    const DrvResult result = driver.Open("NUL");
    EXPECT_NE(result, DRV_OK);
    EXPECT_NE(result, ERROR_DRV_INTERFACE_VERSION);
    EXPECT_FALSE(driver.IsOpen());
}

TEST(Win32DeviceIo, AFailedControlReturnsTheLastError)
{
    uint32_t error = 0;
    DeviceHandle handle = PlatformDeviceIo().Open("\\\\.\\NUL", error);
    ASSERT_NE(handle, nullptr);
    _SAMPLE_RATE_INFO rates{};
    uint32_t returned = 99;
    const uint32_t result = PlatformDeviceIo().Control(handle, OvxIoctl::GetSampleRates, nullptr, 0,
                                                       &rates, sizeof rates, returned);
    EXPECT_NE(result, 0u);
    EXPECT_EQ(returned, 0u);
    PlatformDeviceIo().Close(handle);
}
