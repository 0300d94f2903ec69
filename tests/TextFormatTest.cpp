// The driver's version as every window and ovxctl show it.
#include <gtest/gtest.h>

#include <climits>

#include "text/VersionText.h"

namespace {

TEST(VersionText, EveryPartIsUnsigned)
{
    const struct {
        _DRIVER_VERSION_INFO version;
        const char* interfaceText;
        const char* driverText;
    } cases[] = {
        {{2, 14, 1, 1, 517, 0}, "2.14", "1.1.517"},
        {{255, 255, 255, 255, UINT_MAX, 0}, "255.255", "255.255.4294967295"},   // a build above INT_MAX
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InterfaceVersionText(c.version), c.interfaceText);
        EXPECT_EQ(DriverVersionText(c.version), c.driverText);
    }
}

}  // namespace
