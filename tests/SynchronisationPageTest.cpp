// The synchronisation page and its dialog through their controls, with the requests
// on the simulated driver's trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "res/resource.h"
#include "tests/harness/PanelFixture.h"

namespace {

namespace Io = OvxIoctl;

// Two devices with the standard modes, each on its second mode, "SYT (Bus)".
SimBus TwoDevices()
{
    SimBus bus = EmptyBus();
    AddStandardDevice(bus, "Desk", "S1", 2, 2);
    AddStandardDevice(bus, "Rack", "S2", 2, 2);
    bus.supportedRates = {44100, 48000};
    bus.currentRate = 48000;
    bus.rateMode = 0;
    return bus;
}

class SynchronisationPage : public CPanelFixture {
protected:
    void Open(SimBus bus)
    {
        OpenPage(std::move(bus), "Synchronisation");
        list = Control(IDC_SYNC_LIST);
        combo = Control(IDC_SAMPLE_RATE_COMBO);
    }
    std::vector<bool> Ticks() const { return Ui::Ticks(list); }

    HWND list = nullptr;
    HWND combo = nullptr;
};

}  // namespace

TEST_F(SynchronisationPage, ThePcDriverAsMasterIsTickedAndInternal)
{
    Open(TwoDevices());
    EXPECT_EQ(Ui::Column(list, 1), (std::vector<std::string>{"PC Driver", "Desk", "Rack"}));
    EXPECT_EQ(Ui::Column(list, 2), (std::vector<std::string>{"Internal", "SYT (Bus)", "SYT (Bus)"}));
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
    EXPECT_FALSE(Ui::Shown(Control(IDC_RATE_AUTOMATIC)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_SYNC_APPLY)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_CHANGE_SYNC_MODE)));
}

TEST_F(SynchronisationPage, WithThePcDriverTickedAnyChangeOfTheListSetsTheRateByHand)
{
    // The driver still holds the automatic mode from a device master before.
    SimBus bus = TwoDevices();
    bus.rateMode = 1;
    Open(bus);
    EXPECT_FALSE(Ui::Checked(Control(IDC_RATE_MANUAL)));
    // A selection changes no tick, and still the PC driver's row gives the manual mode.
    Ui::SelectRow(list, 2);
    EXPECT_TRUE(Ui::Checked(Control(IDC_RATE_MANUAL)));
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, false}));
}

TEST_F(SynchronisationPage, AMasterIdOfNoDeviceTicksNothingAndReadsExternal)
{
    SimBus bus = TwoDevices();
    bus.clockSource = {0, 1, 0x0BADBAD};
    Open(bus);
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(Ui::Cell(list, 0, 2), "External");
    EXPECT_TRUE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
}

TEST_F(SynchronisationPage, TickingADeviceMakesItTheOnlyMasterAndUntickingItIsRefused)
{
    Open(TwoDevices());
    Ui::PressSpaceOn(list, 2);
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Ui::Cell(list, 0, 2), "External");
    EXPECT_TRUE(Ui::Enabled(Control(IDC_SYNC_APPLY)));
    EXPECT_TRUE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
    EXPECT_EQ(theDrv.m_clockSource.masterFlag, 1u);
    EXPECT_EQ(theDrv.m_clockSource.masterDeviceId, Sim().Bus().devices[1].id);

    Ui::PressSpaceOn(list, 2);   // the master cannot be unticked
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, false, true}));

    // A tick on the PC driver's box, as a click on it gives, makes it master again.
    ListView_SetCheckState(list, 0, TRUE);
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Ui::Cell(list, 0, 2), "Internal");
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
    EXPECT_EQ(theDrv.m_nRateMode, 0u);
    EXPECT_EQ(CountOf(Io::SetClockSource), 0u);   // nothing is sent before Apply
}

TEST_F(SynchronisationPage, ApplyStopsStreamingSendsEverythingAndStartsAgain)
{
    Open(TwoDevices());
    Ui::PressSpaceOn(list, 1);
    Ui::Click(Control(IDC_RATE_MANUAL));
    ClearTrace();
    Ui::Click(Control(IDC_SYNC_APPLY));
    EXPECT_EQ(FirstCodes(6), (std::vector<uint32_t>{Io::StopStreaming, Io::SetClockSource, Io::SetRateMode,
                                                    Io::SetDeviceSyncMode, Io::SetDeviceSyncMode, Io::StartStreaming}));
    const uint32_t desk = Sim().Bus().devices[0].id;
    const auto clock = Sent<_CLOCK_SOURCE_INFO>(Io::SetClockSource);
    ASSERT_EQ(clock.size(), 1u);
    EXPECT_EQ(clock[0].masterFlag, 1u);
    EXPECT_EQ(clock[0].masterDeviceId, desk);
    EXPECT_EQ(InputOf(2), (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Sim().Bus().clockSource.masterDeviceId, desk);
    // Then the page reads back what the driver holds.
    EXPECT_GT(CountOf(Io::GetClockSource), 0u);
    EXPECT_GT(CountOf(Io::GetSampleRates), 0u);
    EXPECT_EQ(Ticks(), (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_SYNC_APPLY)));
}

TEST_F(SynchronisationPage, AFailingStopWritesNothingElseAndShowsTheDriversChoice)
{
    Open(TwoDevices());
    Ui::PressSpaceOn(list, 1);
    Sim().FailRequest(Io::StopStreaming, 0xE0000076);
    ClearTrace();
    Ui::Click(Control(IDC_SYNC_APPLY));
    const auto codes = Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes[0], Io::StopStreaming);
    for (uint32_t code : codes) {
        const std::string name = Io::FindRequest(code)->name;
        EXPECT_TRUE(code == Io::StopStreaming || name.rfind("Get", 0) == 0) << name;
    }
    EXPECT_EQ(Ticks(), (std::vector<bool>{true, false, false}));   // the PC driver, as the driver holds
    EXPECT_FALSE(Ui::Enabled(Control(IDC_SYNC_APPLY)));
}

TEST_F(SynchronisationPage, ACurrentRateNotSupportedIsShownButCannotBeApplied)
{
    SimBus bus = TwoDevices();
    bus.currentRate = 96000;
    Open(bus);
    EXPECT_EQ(Ui::ComboEntries(combo), (std::vector<std::string>{"44.1 kHz", "48.0 kHz", "96.0 kHz (unavailable)"}));
    EXPECT_EQ(Ui::ComboSelection(combo), 2);
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: 96.0 kHz");
    Ui::Choose(combo, 0);
    EXPECT_TRUE(Ui::Enabled(Control(IDC_RATE_APPLY)));
    Ui::Choose(combo, 2);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_APPLY)));
}

TEST_F(SynchronisationPage, TheCurrentRateIsSelectedAndAppliedAtOnce)
{
    Open(TwoDevices());
    EXPECT_EQ(Ui::ComboEntries(combo), (std::vector<std::string>{"44.1 kHz", "48.0 kHz"}));
    EXPECT_EQ(Ui::ComboSelection(combo), 1);
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: 48.0 kHz");
    EXPECT_TRUE(Ui::Enabled(combo));
    Ui::Choose(combo, 0);
    ClearTrace();
    Ui::Click(Control(IDC_RATE_APPLY));
    EXPECT_EQ(FirstCodes(1), std::vector<uint32_t>{Io::SetSampleRate});
    EXPECT_EQ(InputOf(0), (std::vector<uint8_t>{0, 0, 0, 0, 0x44, 0xAC, 0, 0}));
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: 44.1 kHz");
    EXPECT_EQ(Ui::ComboSelection(combo), 0);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_APPLY)));
}

TEST_F(SynchronisationPage, ABusyWdmDeviceIsReportedInAWarning)
{
    SimBus bus = TwoDevices();
    bus.wdmDeviceInUse = true;
    Open(bus);
    Ui::Choose(combo, 0);
    std::string caption, text;
    AnswerNextDialog([&](HWND box) {
        caption = WindowText(box);
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            char name[16] = "";
            ::GetClassNameA(child, name, sizeof name);
            if (std::string(name) == "Static" && !WindowText(child).empty())
                text = WindowText(child);
        }
        ::SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Ui::Click(Control(IDC_RATE_APPLY));
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(caption, "OVX_CPL");
    EXPECT_EQ(text, "A WDM sound device is currently in use.\nSampling rate cannot be changed.");
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: 48.0 kHz");
}

TEST_F(SynchronisationPage, OtherRefusalsOfARatePassSilently)
{
    Open(TwoDevices());
    Ui::Choose(combo, 0);
    Sim().FailRequest(Io::SetSampleRate, 0xE0000078);
    AnswerNextDialog([](HWND box) { ::SendMessageA(box, WM_COMMAND, IDOK, 0); });
    Ui::Click(Control(IDC_RATE_APPLY));
    panel->Pump();
    EXPECT_FALSE(DialogWasAnswered());
    CancelDialogAnswer();
    EXPECT_EQ(Ui::ComboSelection(combo), 1);
}

TEST_F(SynchronisationPage, NoSupportedRatesLeaveOnlyTheUnavailableEntry)
{
    SimBus bus = TwoDevices();
    bus.supportedRates.clear();
    Open(bus);
    EXPECT_EQ(Ui::ComboEntries(combo), (std::vector<std::string>{"48.0 kHz (unavailable)"}));
    EXPECT_EQ(Ui::ComboSelection(combo), 0);
}

TEST_F(SynchronisationPage, UnreadableRatesLeaveTheComboEmptyUntilManualIsChosen)
{
    SimBus bus = TwoDevices();
    bus.clockSource = {0, 1, 0};
    bus.rateMode = 1;
    Open(bus);
    Sim().FailRequest(Io::GetSampleRates, 0xE0000001, FaultRepeat::Always);
    panel->View()->SynchronisationPage().Refresh();
    EXPECT_TRUE(Ui::ComboEntries(combo).empty());
    EXPECT_FALSE(Ui::Enabled(combo));
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: unknown");
    EXPECT_FALSE(Ui::Checked(Control(IDC_RATE_MANUAL)));
    Ui::Click(Control(IDC_RATE_MANUAL));
    EXPECT_TRUE(Ui::Enabled(combo));
    EXPECT_TRUE(Ui::Enabled(Control(IDC_SYNC_APPLY)));
    EXPECT_EQ(theDrv.m_nRateMode, 0u);
}

TEST_F(SynchronisationPage, ModeTextsFollowTheirCodes)
{
    SimBus bus = TwoDevices();
    bus.devices[0].currentSync = {3, 7, ""};
    bus.devices[1].currentSync = {9, 8, "X"};
    AddStandardDevice(bus, "Third", "S3", 1, 1);
    bus.devices[2].currentSync = {2, 9, "Bus"};
    Open(bus);
    EXPECT_EQ(Ui::Column(list, 2), (std::vector<std::string>{"Internal", "SYT", " (X)", "SYT (Bus)"}));
}

TEST_F(SynchronisationPage, TheDialogTicksTheCurrentModeAndOkMakesTheTickedOneCurrent)
{
    Open(TwoDevices());
    Ui::SelectRow(list, 2);
    EXPECT_TRUE(Ui::Enabled(Control(IDC_CHANGE_SYNC_MODE)));
    std::vector<std::string> modes;
    std::vector<bool> ticks;
    AnswerNextDialog([&](HWND dialog) {
        HWND modeList = ::GetDlgItem(dialog, IDC_SYNC_LIST);
        modes = Ui::Column(modeList, 1);
        ticks = Ui::Ticks(modeList);
        ListView_SetCheckState(modeList, 4, TRUE);
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    Ui::Click(Control(IDC_CHANGE_SYNC_MODE));
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(modes, (std::vector<std::string>{"Internal (Internal)", "SYT (Bus)", "Digital Input (S/PDIF coaxial)",
                                               "Digital Input (ADAT optical)", "External Clock (Word clock BNC)"}));
    EXPECT_EQ(ticks, (std::vector<bool>{false, true, false, false, false}));
    EXPECT_EQ(Ui::Cell(list, 2, 2), "External Clock (Word clock BNC)");
    EXPECT_TRUE(Ui::Enabled(Control(IDC_SYNC_APPLY)));

    ClearTrace();
    Ui::Click(Control(IDC_SYNC_APPLY));
    EXPECT_EQ(Sim().Bus().devices[1].currentSync.name, "Word clock BNC");
    EXPECT_EQ(Sim().Bus().devices[0].currentSync.name, "Bus");
}

TEST_F(SynchronisationPage, CancelOrADeviceWithoutOffersChangesNothing)
{
    SimBus bus = TwoDevices();
    bus.devices[0].offeredSync.clear();
    bus.devices[1].currentSync = {2, 0x999, "Elsewhere"};
    Open(bus);

    Ui::SelectRow(list, 1);
    int rows = -1;
    AnswerNextDialog([&](HWND dialog) {
        rows = ListView_GetItemCount(::GetDlgItem(dialog, IDC_SYNC_LIST));
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    Ui::DoubleClickRow(list, 1);
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(Ui::Cell(list, 1, 2), "SYT (Bus)");

    std::vector<bool> ticks;
    AnswerNextDialog([&](HWND dialog) {
        HWND modeList = ::GetDlgItem(dialog, IDC_SYNC_LIST);
        ticks = Ui::Ticks(modeList);
        ListView_SetCheckState(modeList, 0, TRUE);
        ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    Ui::DoubleClickRow(list, 2);
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(ticks, std::vector<bool>(5, false));
    EXPECT_EQ(Ui::Cell(list, 2, 2), "SYT (Elsewhere)");
}

TEST_F(SynchronisationPage, ARefreshWhileTheDialogRunsKeepsTheChoiceForTheSameDevice)
{
    Open(TwoDevices());
    Ui::SelectRow(list, 2);
    AnswerNextDialog([&](HWND dialog) {
        // A driver event reloads every page while the dialog is open.
        panel->View()->RefreshAllPages();
        ListView_SetCheckState(::GetDlgItem(dialog, IDC_SYNC_LIST), 0, TRUE);
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    Ui::Click(Control(IDC_CHANGE_SYNC_MODE));
    ASSERT_TRUE(DialogWasAnswered());
    const uint32_t rack = Sim().Bus().devices[1].id;
    const _DEVICE_SYNC_MODE_INFO* record = theDrv.m_syncModes.GetAt(1);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->deviceId, rack);
    EXPECT_STREQ(record->current.name, "Internal");
    EXPECT_EQ(Ui::Cell(list, 2, 2), "Internal (Internal)");
    EXPECT_EQ(Ui::Cell(list, 1, 2), "SYT (Bus)");
}

TEST_F(SynchronisationPage, ADoubleClickOnThePcDriverRowDoesNothing)
{
    Open(TwoDevices());
    AnswerNextDialog([](HWND dialog) { ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
    Ui::DoubleClickRow(list, 0);
    panel->Pump();
    EXPECT_FALSE(DialogWasAnswered());
    CancelDialogAnswer();
    EXPECT_FALSE(Ui::Enabled(Control(IDC_CHANGE_SYNC_MODE)));
}

TEST_F(SynchronisationPage, WithoutDevicesTheListIsEmptyAndTheRateUnknown)
{
    Open(EmptyBus());
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_CHANGE_SYNC_MODE)));
    EXPECT_EQ(panel->Pane(2), "Current sampling rate: unknown");
}

TEST_F(SynchronisationPage, AnUnreadableSynchronisationRecordLeavesTheListEmpty)
{
    Open(TwoDevices());
    Sim().FailRequest(Io::GetDeviceSyncMode, 55, FaultRepeat::Once, 1);
    panel->View()->SynchronisationPage().RefreshList();
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_RATE_MANUAL)));
}
