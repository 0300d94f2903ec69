// The tray icon of a hidden panel as the shell shows it: its look, its tip and the
// balloons that the changes on the simulated bus bring, read from the shell's windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/AppMessages.h"
#include "app/MainFrm.h"
#include "app/TrayPresenter.h"
#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "sim/SimConsole.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"
#include "tests/harness/PanelProcess.h"
#include "tests/harness/ShellTray.h"

namespace {

class Tray : public testing::Test {
protected:
    void Start(const char* commandLine)
    {
        ASSERT_TRUE(panel.Start(commandLine));
        ASSERT_TRUE(Eventually([&] {
            panel.Pump();
            return !ShellTray::Tip(kPanelCaption).empty();
        }));
        ShellTray::HideBalloon(panel.FrameWindow(), CMainFrame::TRAY_ICON_ID);
    }
    // A statement on the bus, and the panel's refresh after it.
    void OnBus(const std::string& statement)
    {
        panel.sim.ClearTrace();
        ASSERT_TRUE(console.Execute(statement).applied) << statement;
        panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetChannelLists) > 0; });
        panel.Pump();
    }
    // The balloon the shell shows, once it shows one; empty when none came within the
    // time Wine's shell takes to bring one up (it waits two seconds) after the panel's
    // gap between two balloons.
    std::string AwaitBalloon()
    {
        Eventually(
            [&] {
                panel.Pump();
                return !ShellTray::Balloon().empty();
            },
            static_cast<DWORD>(CTrayPresenter::kBalloonGapMilliseconds) + 3000);
        return ShellTray::Balloon();
    }
    unsigned BalloonsAsked() const { return panel.Frame()->TrayIcon().BalloonsAsked(); }
    // The balloon the shell shows once the panel has told it, or empty.
    std::string BalloonAfter(const std::string& statement)
    {
        ShellTray::HideBalloon(panel.FrameWindow(), CMainFrame::TRAY_ICON_ID);
        OnBus(statement);
        return AwaitBalloon();
    }
    std::string TipLine() const
    {
        const std::string tip = ShellTray::Tip(kPanelCaption);
        const size_t end = tip.find('\n');
        return end == std::string::npos ? std::string() : tip.substr(end + 1);
    }
    bool Warns() const { return ShellTray::IconShowsWarning(kPanelCaption); }

    CPanelHarness panel;
    CSimConsole console{panel.sim};
};

}  // namespace

TEST_F(Tray, EachChangeOnTheBusGivesOneBalloonAndItsReverseTheNormalIconBack)
{
    Start("-hide");
    EXPECT_EQ(TipLine(), "48.0 kHz, streaming, 3 device(s)");
    EXPECT_FALSE(Warns());
    EXPECT_EQ(ShellTray::Balloon(), "");   // none at start-up

    const struct {
        const char* statement;
        const char* balloon;
        const char* tip;
        bool warns;
    } steps[] = {
        {"unplug 2", "Device disconnected: Zemra Desk 4", "48.0 kHz, streaming, 2 device(s)", false},
        {"plug 2", "Device connected: Zemra Desk 4", "48.0 kHz, streaming, 3 device(s)", false},
        {"plug-state 3 audio-in fail 0xE0000073",
         "Streaming stopped: Zemra Rack 16: Error code 0xE0000073: Bandwidth allocation failed.",
         "48.0 kHz, connect failed, 3 device(s)", true},
        {"plug-state 3 audio-in present", "Streaming runs again.", "48.0 kHz, streaming, 3 device(s)", false},
        {"rate 44100", "The sampling rate changed from 48.0 kHz to 44.1 kHz.", "44.1 kHz, streaming, 3 device(s)",
         false},
        {"rate 48000", "The sampling rate changed from 44.1 kHz to 48.0 kHz.", "48.0 kHz, streaming, 3 device(s)",
         false},
        {"driver unload", "The driver cannot be reached any more.", "The driver cannot be reached.", true},
        {"driver load", "The driver answers again.", "48.0 kHz, streaming, 3 device(s)", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.statement);
        EXPECT_EQ(BalloonAfter(step.statement), step.balloon);
        EXPECT_EQ(TipLine(), step.tip);
        EXPECT_EQ(Warns(), step.warns);
    }
    EXPECT_FALSE(::IsWindowVisible(panel.FrameWindow()));
}

TEST_F(Tray, ARefreshWithNothingNewAndThePanelsOwnChangesRaiseNoBalloon)
{
    Start("-hide");
    EXPECT_EQ(BalloonAfter("event 3"), "");
    EXPECT_EQ(BalloonAfter("event 2"), "");

    // The user applies another rate on the synchronisation page, where it is set by hand.
    panel.sim.Change([](SimBus& bus) { bus.rateMode = 0; });
    panel.View()->RefreshAllPages();
    ShellTray::HideBalloon(panel.FrameWindow(), CMainFrame::TRAY_ICON_ID);
    HWND page = panel.View()->PageOf(PAGE_SYNCHRONISATION)->m_hWnd;
    HWND combo = ::GetDlgItem(page, IDC_SAMPLE_RATE_COMBO);
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);   // 44.1 kHz
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_RATE_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    panel.sim.ClearTrace();
    Ui::Click(::GetDlgItem(page, IDC_RATE_APPLY));
    ASSERT_EQ(panel.sim.CountOf(OvxIoctl::SetSampleRate), 1u);
    // A device unplugged meanwhile comes in the same drain of events: it is news, the
    // rate the user chose is not.
    ASSERT_TRUE(console.Execute("unplug 2").applied);
    panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetChannelLists) > 0; });
    EXPECT_EQ(AwaitBalloon(), "Device disconnected: Zemra Desk 4");
    EXPECT_EQ(TipLine(), "44.1 kHz, streaming, 2 device(s)");

    // A stream buffer the user applies restarts streaming.
    ShellTray::HideBalloon(panel.FrameWindow(), CMainFrame::TRAY_ICON_ID);
    page = panel.View()->PageOf(PAGE_SETTINGS)->m_hWnd;
    HWND slider = ::GetDlgItem(page, IDC_STREAM_DEPTH_SLIDER);
    ::SendMessageA(slider, TBM_SETPOS, TRUE, ::SendMessageA(slider, TBM_GETPOS, 0, 0) + 1);
    ::SendMessageA(page, WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(slider));
    panel.sim.ClearTrace();
    Ui::Click(::GetDlgItem(page, IDC_STREAM_APPLY));
    ASSERT_EQ(panel.sim.CountOf(OvxIoctl::StartStreaming), 1u);
    panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::GetNextEvent) > 1; });
    EXPECT_EQ(AwaitBalloon(), "");

    // What comes from outside afterwards is news again.
    EXPECT_EQ(BalloonAfter("rate 48000"), "The sampling rate changed from 44.1 kHz to 48.0 kHz.");
}

TEST_F(Tray, AStormOfHotPlugChangesIsToldInAFewBalloonsOfWhatItLeft)
{
    Start("-hide");
    const unsigned before = BalloonsAsked();
    for (int i = 0; i < 10; ++i) {
        for (const char* statement : {"unplug 2", "plug 2"}) {
            ASSERT_TRUE(console.Execute(statement).applied) << statement;
            panel.Pump();
        }
    }
    ASSERT_TRUE(console.Execute("unplug 3").applied);
    EXPECT_EQ(AwaitBalloon(), "Device disconnected: Zemra Desk 4");
    // The balloon held back for the gap tells what the storm left, once.
    EXPECT_TRUE(Eventually([&] {
        panel.Pump();
        return ShellTray::Balloon().find("Zemra Rack 16") != std::string::npos;
    }, static_cast<DWORD>(CTrayPresenter::kBalloonGapMilliseconds) + 3000));
    panel.PumpUntil([] { return false; }, static_cast<DWORD>(CTrayPresenter::kBalloonGapMilliseconds) + 500);
    EXPECT_GE(BalloonsAsked() - before, 2u);
    EXPECT_LE(BalloonsAsked() - before, 3u);
}

TEST_F(Tray, AQuietStartFollowsTheStateWithoutBalloons)
{
    Start("-hide -QUIET");
    EXPECT_EQ(BalloonAfter("unplug 1"), "");
    EXPECT_EQ(TipLine(), "48.0 kHz, streaming, 2 device(s)");
    EXPECT_EQ(BalloonAfter("plug-state 2 audio-out fail 0xE0000072"), "");
    EXPECT_TRUE(Warns());
}

TEST_F(Tray, TheKeyboardOpensThePanelAndTheIconsMenu)
{
    Start("-hide");
    HWND frame = panel.FrameWindow();
    const LPARAM id = static_cast<LPARAM>(CMainFrame::TRAY_ICON_ID) << 16;
    // What the shell sends in its version 4 for Shift+F10 on the focused icon: the menu,
    // which the keyboard closes again with Escape.
    AnswerNextDialog(
        [](HWND) {
            ::keybd_event(VK_ESCAPE, 0, 0, 0);
            ::keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
        },
        "#32768");
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, MAKEWPARAM(900, 740), id | WM_CONTEXTMENU);
    EXPECT_TRUE(DialogWasAnswered());
    panel.Pump();
    EXPECT_FALSE(::IsWindowVisible(frame));

    // Down to "&Open" and Enter.
    AnswerNextDialog(
        [](HWND) {
            for (BYTE key : {BYTE{VK_DOWN}, BYTE{VK_RETURN}}) {
                ::keybd_event(key, 0, 0, 0);
                ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
            }
        },
        "#32768");
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, MAKEWPARAM(900, 740), id | WM_CONTEXTMENU);
    EXPECT_TRUE(DialogWasAnswered());
    EXPECT_TRUE(panel.PumpUntil([&] { return ::IsWindowVisible(frame) != FALSE; }));

    // Enter or Space on the icon opens the panel, as a left click does.
    ::ShowWindow(frame, SW_HIDE);
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, MAKEWPARAM(900, 740), id | NIN_KEYSELECT);
    panel.Pump();
    EXPECT_TRUE(::IsWindowVisible(frame));
    // And so does the mouse in version 4; another icon's news is not the panel's.
    ::ShowWindow(frame, SW_HIDE);
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, 0, (id + (1 << 16)) | WM_LBUTTONDOWN);
    panel.Pump();
    EXPECT_FALSE(::IsWindowVisible(frame));
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, 0, id | WM_LBUTTONDOWN);
    panel.Pump();
    EXPECT_TRUE(::IsWindowVisible(frame));
}
