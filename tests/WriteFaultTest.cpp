// Every write request failing while the user applies on its page, and the driver's
// notifier request failing after an event: the panel goes on, and each page then
// shows what the driver holds, which is what a fresh read of everything shows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "sim/SimEventSignal.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"

namespace {

namespace Io = OvxIoctl;

constexpr uint32_t kFailures[] = {0xE0000022, 31};   // a driver's code, a system error

SimBus Studio()
{
    SimBus bus = EmptyBus();
    AddStandardDevice(bus, "D1", "S1", 2, 2);
    AddStandardDevice(bus, "D2", "S2", 2, 2);
    AddStandardDevice(bus, "D3", "S3", 2, 2);
    bus.supportedRates = {44100, 48000};
    bus.currentRate = 48000;
    bus.rateMode = 0;
    return bus;
}

// Everything the user can read off the pages and the status bar: list cells and
// ticks, check boxes and option buttons, texts, track bar positions and ranges, the
// combo box's choice.
std::vector<std::string> WhatThePanelShows(CPanelHarness& panel)
{
    std::vector<std::string> shown;
    const auto add = [&](HWND control, const std::string& what) {
        shown.push_back(std::to_string(::GetDlgCtrlID(control)) + " " + what);
    };
    for (const CDialogPage* each : panel.View()->AllPages()) {
        HWND page = each->m_hWnd;
        for (HWND control = ::GetWindow(page, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT)) {
            const std::string kind = ClassOf(control);
            if (kind == WC_LISTVIEWA) {
                const int columns = Header_GetItemCount(ListView_GetHeader(control));
                for (int row = 0; row < ListView_GetItemCount(control); ++row) {
                    std::string line = ListView_GetCheckState(control, row) ? "[x]" : "[ ]";
                    for (int column = 0; column < columns; ++column)
                        line += "|" + Ui::Cell(control, row, column);
                    add(control, line);
                }
            } else if (kind == TRACKBAR_CLASSA) {
                add(control, std::to_string(::SendMessageA(control, TBM_GETPOS, 0, 0)) + " in " +
                                 std::to_string(::SendMessageA(control, TBM_GETRANGEMIN, 0, 0)) + ".." +
                                 std::to_string(::SendMessageA(control, TBM_GETRANGEMAX, 0, 0)));
            } else if (kind == WC_COMBOBOXA) {
                add(control, "choice " + std::to_string(::SendMessageA(control, CB_GETCURSEL, 0, 0)) + " of " +
                                 std::to_string(::SendMessageA(control, CB_GETCOUNT, 0, 0)));
            } else if (kind == WC_BUTTONA) {
                add(control, WindowText(control) + " " + std::to_string(::SendMessageA(control, BM_GETCHECK, 0, 0)));
            } else {
                add(control, WindowText(control));
            }
        }
    }
    for (int pane = 1; pane <= 3; ++pane)
        shown.push_back("pane " + panel.Pane(pane));
    return shown;
}

// The space bar on a row, as a user ticks its check box from the keyboard.
void PressSpaceOn(HWND list, int row)
{
    Ui::SelectRow(list, row);
    ::SetFocus(list);
    ::SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
}

// One line on a focused track bar, as the arrow key moves it.
void PressRight(HWND bar)
{
    ::SetFocus(bar);
    ::SendMessageA(bar, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(bar, WM_KEYUP, VK_RIGHT, 0);
}

struct WriteCell {
    const char* what;
    uint32_t failing;   // the request that fails
    std::function<void(CPanelHarness& panel)> apply;
};

void RenameDevice(CPanelHarness& panel)
{
    HWND page = panel.View()->PageOf(PAGE_DEVICES)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(page, IDC_DEVICE_LIST), 1);
    AnswerNameEditor(IDC_DEVICE_NAME_EDIT, "Renamed");
    Ui::Click(::GetDlgItem(page, IDC_EDIT_DEVICE_NAME));
}

void ApplyRanking(CPanelHarness& panel)
{
    HWND page = panel.View()->PageOf(PAGE_DEVICES)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(page, IDC_DEVICE_LIST), 0);
    Ui::Click(::GetDlgItem(page, IDC_DEVICE_DOWN));
    Ui::Click(::GetDlgItem(page, IDC_APPLY_RANKING));
}

void RenameChannel(CPanelHarness& panel)
{
    HWND page = panel.View()->PageOf(PAGE_INPUT_CHANNELS)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(page, IDC_CHANNEL_LIST), 0);
    AnswerNameEditor(IDC_CHANNEL_NAME_EDIT, "Renamed");
    Ui::Click(::GetDlgItem(page, IDC_EDIT_CHANNEL_NAME));
}

void ToggleDeviceNames(CPanelHarness& panel)
{
    Ui::Click(::GetDlgItem(panel.View()->PageOf(PAGE_OUTPUT_CHANNELS)->m_hWnd, IDC_INCLUDE_DEVICE_NAME));
}

// A device as clock master, the manual rate mode and another mode for the last device.
void ApplySynchronisation(CPanelHarness& panel)
{
    HWND page = panel.View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd;
    HWND list = ::GetDlgItem(page, IDC_SYNC_LIST);
    PressSpaceOn(list, 1);
    Ui::Click(::GetDlgItem(page, IDC_RATE_MANUAL));
    Ui::SelectRow(list, 3);
    AnswerNextDialog([](HWND dialog) {
        ListView_SetCheckState(::GetDlgItem(dialog, IDC_SYNC_LIST), 4, TRUE);
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    Ui::Click(::GetDlgItem(page, IDC_CHANGE_SYNC_MODE));
    Ui::Click(::GetDlgItem(page, IDC_SYNC_APPLY));
}

void ApplySampleRate(CPanelHarness& panel)
{
    HWND page = panel.View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd;
    HWND combo = ::GetDlgItem(page, IDC_SAMPLE_RATE_COMBO);
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_RATE_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    // Only a busy WDM device is worth a message; should any come, it is answered.
    AnswerNextDialog([](HWND box) { ::SendMessageA(box, WM_COMMAND, IDOK, 0); });
    Ui::Click(::GetDlgItem(page, IDC_RATE_APPLY));
    CancelDialogAnswer();
}

std::function<void(CPanelHarness&)> ApplyDepth(int sliderId, int applyId)
{
    return [=](CPanelHarness& panel) {
        HWND page = panel.View()->PageOf(PAGE_SETTINGS)->m_hWnd;
        PressRight(::GetDlgItem(page, sliderId));
        Ui::Click(::GetDlgItem(page, applyId));
    };
}

const WriteCell kWriteCells[] = {
    {"device rename", Io::SetDeviceProperties, RenameDevice},
    {"device ranking", Io::SetDeviceProperties, ApplyRanking},
    {"channel rename", Io::SetChannelProperties, RenameChannel},
    {"device names in channel names", Io::SetAsioNameOption, ToggleDeviceNames},
    {"synchronisation: stop", Io::StopStreaming, ApplySynchronisation},
    {"synchronisation: clock master", Io::SetClockSource, ApplySynchronisation},
    {"synchronisation: rate mode", Io::SetRateMode, ApplySynchronisation},
    {"synchronisation: device mode", Io::SetDeviceSyncMode, ApplySynchronisation},
    {"synchronisation: start", Io::StartStreaming, ApplySynchronisation},
    {"sampling rate", Io::SetSampleRate, ApplySampleRate},
    {"stream depth", Io::SetStreamBufferDepth, ApplyDepth(IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY)},
    {"stream depth: stop", Io::StopStreaming, ApplyDepth(IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY)},
    {"stream depth: start", Io::StartStreaming, ApplyDepth(IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY)},
    {"ASIO depth", Io::SetAsioBufferDepth, ApplyDepth(IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_APPLY)},
    {"WDM depth", Io::SetWdmBufferDepth, ApplyDepth(IDC_WDM_DEPTH_SLIDER, IDC_WDM_APPLY)},
};

}  // namespace

TEST(WriteFaults, AFailedApplyLeavesEveryPageShowingWhatTheDriverHolds)
{
    for (const WriteCell& cell : kWriteCells) {
        for (uint32_t failure : kFailures) {
            SCOPED_TRACE(std::string(cell.what) + ", failing with " + std::to_string(failure));
            CPanelHarness panel(Studio());
            ASSERT_TRUE(panel.Start());
            panel.sim.FailRequest(cell.failing, failure, FaultRepeat::Always);
            panel.sim.ClearTrace();
            cell.apply(panel);
            // Events the apply caused (restarted streams) are handled behind input; the
            // drain has ended once the driver answered that none is left. An apply that
            // raised none waits the short while out.
            panel.PumpUntil(
                [&] {
                    for (const SimTraceEntry& entry : panel.sim.Trace())
                        if (entry.code == Io::GetNextEvent && entry.result != 0)
                            return true;
                    return false;
                },
                1000);
            EXPECT_GT(panel.sim.CountOf(cell.failing), 0u) << "the apply never asked for it";
            const std::vector<std::string> afterApply = WhatThePanelShows(panel);
            panel.sim.ClearFaults();
            panel.View()->RefreshAllPages();
            panel.Pump();
            EXPECT_EQ(afterApply, WhatThePanelShows(panel));
            EXPECT_EQ(panel.Quit(), 0);
        }
    }
}

TEST(WriteFaults, AnEventWhoseFetchFailsOrIsLateOrShortLeavesThePanelWorking)
{
    const std::function<void(CSimDriver&)> faults[] = {
        [](CSimDriver& sim) { sim.FailRequest(Io::GetNextEvent, 0xE0000022, FaultRepeat::Always); },
        [](CSimDriver& sim) { sim.FailRequest(Io::GetNextEvent, 31, FaultRepeat::Always); },
        [](CSimDriver& sim) { sim.DelayRequest(Io::GetNextEvent, std::chrono::milliseconds(300)); },
        [](CSimDriver& sim) { sim.MalformAnswer(Io::GetNextEvent, Malformation::ShortAnswer); },
    };
    for (size_t i = 0; i < std::size(faults); ++i) {
        SCOPED_TRACE("fault " + std::to_string(i));
        CPanelHarness panel(Studio());
        ASSERT_TRUE(panel.Start());
        faults[i](panel.sim);
        panel.sim.RaiseEvent(EvtType_DomainConfigurationChanged);
        EXPECT_TRUE(panel.PumpUntil([&] { return panel.sim.CountOf(Io::GetNextEvent) > 0; }));
        panel.Pump();
        // Every page still comes up when its item is chosen.
        for (const std::string& item : CPanelHarness::TreePageTitles()) {
            HTREEITEM handle = panel.TreeItem(item);
            ASSERT_NE(handle, nullptr) << item;
            TreeView_SelectItem(panel.View()->TreeWindow(), handle);
            panel.Pump();
            EXPECT_EQ(panel.SelectedTreeText(), item);
            EXPECT_EQ(panel.VisiblePages().size(), 1u) << item;
        }
        EXPECT_EQ(panel.Quit(), 0);
    }
}
