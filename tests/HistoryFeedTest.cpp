// What a hidden panel notices on the simulated bus, kept in its event history in the
// order it happened, with the drop-outs its watch counts while the driver streams.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/OVX_CPL.h"
#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "sim/SimConsole.h"
#include "tests/harness/DialogAnswers.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"

namespace {

std::vector<HistoryKind> Kinds(const CEventHistory& history)
{
    std::vector<HistoryKind> kinds;
    for (const HistoryEntry& entry : history.Entries())
        kinds.push_back(entry.kind);
    return kinds;
}

}  // namespace

TEST(HistoryFeed, WhatAHiddenPanelNoticesIsKeptInOrder)
{
    CPanelHarness panel;
    CSimConsole console{panel.sim};
    ASSERT_TRUE(panel.Start("-hide"));
    const CEventHistory& history = panel.app.History();
    for (const char* statement : {"unplug 2", "plug-state 3 audio-in fail 0xE0000073", "plug-state 3 audio-in present",
                                  "rate 44100", "dropouts +3"}) {
        const size_t before = history.Entries().size();
        ASSERT_TRUE(console.Execute(statement).applied) << statement;
        // The drop-outs wait for the watch's next reading, at most its period later.
        EXPECT_TRUE(panel.PumpUntil([&] { return history.Entries().size() > before; }, 8000)) << statement;
    }
    EXPECT_EQ(Kinds(history), (std::vector<HistoryKind>{HistoryKind::DeviceGone, HistoryKind::StreamingStopped,
                                                        HistoryKind::StreamingBack, HistoryKind::RateChanged,
                                                        HistoryKind::DropOuts}));
    const std::deque<HistoryEntry>& entries = history.Entries();
    EXPECT_EQ(entries[0].device, "Zemra Desk 4");
    EXPECT_EQ(entries[0].serial, "ZD4-0019-82");
    EXPECT_EQ(entries[1].device, "Zemra Rack 16");
    EXPECT_EQ(entries[1].failureCode, 0xE0000073u);
    EXPECT_EQ(entries[3].after, 44100u);
    EXPECT_FALSE(entries[3].byPanel);
    EXPECT_EQ(entries[4].count, 3u);

    // The Event History window shows them, newest first; the support report holds them
    // with the versions, the devices and the plug's failure, and no computer name.
    panel.SendCommand(ID_EVENT_HISTORY);
    HWND window = ::FindWindowA("#32770", "Event History");
    ASSERT_NE(window, nullptr);
    const std::vector<std::string> events = Ui::Column(::GetDlgItem(window, IDC_HISTORY_LIST), 1);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0], "3 ASIO drop-outs");
    EXPECT_EQ(events[4], "Device disconnected");
    std::string report;
    AnswerDialogWhere([](HWND dialog) { return ::GetDlgItem(dialog, IDC_REPORT_TEXT) != nullptr; },
                      [&](HWND preview) {
                          report = WindowText(::GetDlgItem(preview, IDC_REPORT_TEXT));
                          PostKey(::GetDlgItem(preview, IDC_REPORT_TEXT), VK_ESCAPE);
                      });
    panel.SendCommand(ID_SAVE_SUPPORT_REPORT);
    for (const char* part : {"1.1.517", "ZS8-0041-17", "Error code 0xE0000073: Bandwidth allocation failed.",
                             "\tDevice disconnected\tZemra Desk 4 (ZD4-0019-82)", "\t3 ASIO drop-outs"})
        EXPECT_NE(report.find(part), std::string::npos) << part << "\n" << report;
    EXPECT_EQ(report.find("[Computer and user]"), std::string::npos);

    // After a resume everything is read again, once, and the history says so; a driver
    // reloaded while the computer slept is opened again.
    panel.announcesInterface = false;
    panel.sim.SetDriverPresent(false);
    panel.sim.SetDriverPresent(true);
    panel.announcesInterface = true;
    panel.sim.ClearTrace();
    ::SendMessageA(panel.FrameWindow(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_EQ(history.Entries().back().kind, HistoryKind::Resumed);
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::GetSampleRates), 1u);
    EXPECT_EQ(theDrv.m_devices.GetSize(), static_cast<int>(panel.sim.Bus().devices.size()));
    EXPECT_EQ(panel.Quit(), 0);
}
