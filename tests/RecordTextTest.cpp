#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "driver/DriverRecords.h"
#include "driver/RecordText.h"

TEST(RecordText, ReadsStopAtTheTerminatorOrTheEndOfTheField)
{
    _OVX_DEVICE_PROPERTIES device{};
    std::strcpy(device.name, "Desk");
    EXPECT_EQ(FieldText(device.name), "Desk");

    std::memset(device.name, 'N', sizeof device.name);   // no terminator at all
    std::memset(device.serialNumber, 'S', sizeof device.serialNumber);
    EXPECT_EQ(FieldText(device.name), std::string(40, 'N'));

    device.name[0] = '\0';
    EXPECT_EQ(FieldText(device.name), "");
}

TEST(RecordText, WritesKeepTheLastByteForTheTerminator)
{
    _OVX_CHANNEL_PROPERTIES channel{};
    std::memset(&channel, 0x5A, sizeof channel);
    SetFieldText(channel.channelName, std::string(50, 'c'));
    EXPECT_EQ(FieldText(channel.channelName), std::string(39, 'c'));
    EXPECT_EQ(channel.channelName[39], '\0');
    // The neighbouring field is untouched.
    EXPECT_EQ(channel.hardwareName[39], 0x5A);

    SetFieldText(channel.channelName, "In 1");
    EXPECT_EQ(FieldText(channel.channelName), "In 1");
    for (size_t i = 4; i < sizeof channel.channelName; ++i)
        EXPECT_EQ(channel.channelName[i], '\0');
}
