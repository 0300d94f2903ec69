// The event history's bound and its entries' texts, without windows.
#include <gtest/gtest.h>

#include "history/HistoryText.h"

TEST(EventHistory, KeepsTheNewestThousandAndCountsTheRest)
{
    CEventHistory history;
    HistoryEntry entry;
    entry.kind = HistoryKind::DropOuts;
    for (uint32_t i = 1; i <= CEventHistory::kCapacity + 5; ++i) {
        entry.count = i;
        history.Add(entry);
    }
    EXPECT_EQ(history.Entries().size(), CEventHistory::kCapacity);
    EXPECT_EQ(history.Entries().front().count, 6u);
    EXPECT_EQ(history.Dropped(), 5u);
    entry.device = std::string(10000, 'x');   // a storm of long texts does not grow it
    history.Add(entry);
    EXPECT_EQ(history.Entries().back().device.size(), CEventHistory::kLongestText);
    history.Clear();
    EXPECT_TRUE(history.Entries().empty());
    EXPECT_EQ(history.Dropped(), 0u);
}

TEST(EventHistory, EachEntrySaysWhatHappenedToWhichDeviceAndWhoDidIt)
{
    const HistoryTexts texts = DefaultHistoryTexts();
    const struct {
        HistoryEntry entry;
        std::string event;
        std::string device;
    } cases[] = {
        {{{false, "Desk", "SN-9"}, {}, HistoryKind::DeviceGone}, "Device disconnected", "Desk (SN-9)"},
        {{{false, "Rack", "", 0, 0, false, 0xE0000073}, {}, HistoryKind::StreamingStopped},
         "Streaming stopped: Error code 0xE0000073: Bandwidth allocation failed.", "Rack"},
        {{{true, "", "", 48000, 44100}, {}, HistoryKind::RateChanged}, "Sampling rate changed from 48.0 kHz to 44.1 kHz "
                                                                      "(by the panel)", ""},
        {{{false, "", "", 7, 0, true}, {}, HistoryKind::ClockMasterChanged}, "Clock master is now the PC driver (from "
                                                                            "outside)", ""},
        {{{}, {}, HistoryKind::DropOuts, 3}, "3 ASIO drop-outs", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HistoryEventText(c.entry, texts), c.event);
        EXPECT_EQ(HistoryDeviceText(c.entry), c.device);
        EXPECT_EQ(HistoryLine(c.entry, texts).substr(19), "\t" + c.event + (c.device.empty() ? "" : "\t" + c.device));
    }
}
