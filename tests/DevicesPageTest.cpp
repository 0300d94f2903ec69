// The devices page through its controls, with the requests on the simulated driver's trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "driver/ControlCodes.h"
#include "driver/Drv.h"
#include "res/resource.h"
#include "tests/harness/PanelFixture.h"

namespace {

SimBus BusWith(std::initializer_list<const char*> names)
{
    SimBus bus = EmptyBus();
    int serial = 100;
    for (const char* name : names)
        AddStandardDevice(bus, name, "SN-" + std::to_string(serial++), 2, 2);
    return bus;
}

class DevicesPage : public CPanelFixture {
protected:
    void Open(SimBus bus)
    {
        OpenPage(std::move(bus), "Devices");
        list = Control(IDC_DEVICE_LIST);
    }
    std::vector<_OVX_DEVICE_PROPERTIES> Stored() const
    {
        return Sent<_OVX_DEVICE_PROPERTIES>(OvxIoctl::SetDeviceProperties);
    }
    uint32_t IdOf(const char* name) const
    {
        for (const SimDevice& device : Sim().Bus().devices)
            if (device.name == name)
                return device.id;
        return 0;
    }

    HWND list = nullptr;
};

}  // namespace

TEST_F(DevicesPage, ShowsEveryDeviceWithItsSerialNumberAndTheCount)
{
    Open(BusWith({"D1", "D2"}));
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D1", "D2"}));
    EXPECT_EQ(Ui::Column(list, 1), (std::vector<std::string>{"SN-100", "SN-101"}));
    EXPECT_EQ(panel->Pane(1), "2 Device(s) connected.");
    EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & 0x31, 0x31u);
    EXPECT_EQ(WindowText(Control(IDC_RANKING_NOTE)),
              "Use Up and Down buttons to change device ranking and press Apply to store settings.\n"
              "Device ranking defines the order of channels shown in ASIO hosts.");
}

TEST_F(DevicesPage, WithoutDevicesEverythingThatNeedsOneIsOff)
{
    Open(EmptyBus());
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    for (int id : {IDC_EDIT_DEVICE_NAME, IDC_DEVICE_UP, IDC_DEVICE_DOWN, IDC_APPLY_RANKING})
        EXPECT_FALSE(Ui::Enabled(Control(id))) << id;
    EXPECT_FALSE(Ui::Shown(Control(IDC_RANKING_NOTE)));
    EXPECT_EQ(panel->Pane(1), "0 Device(s) connected.");
}

TEST_F(DevicesPage, WithoutADriverTheListIsEmpty)
{
    SimBus bus = BusWith({"D1"});
    bus.driverPresent = false;
    Open(bus);
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_EQ(panel->Pane(1), "0 Device(s) connected.");
}

TEST_F(DevicesPage, OneSelectedDeviceCanBeRenamedButNotMoved)
{
    Open(BusWith({"D1"}));
    Ui::SelectRow(list, 0);
    EXPECT_TRUE(Ui::Enabled(Control(IDC_EDIT_DEVICE_NAME)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_DEVICE_UP)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_DEVICE_DOWN)));
    EXPECT_FALSE(Ui::Shown(Control(IDC_RANKING_NOTE)));
}

TEST_F(DevicesPage, MovingTheMiddleDeviceUpChangesOnlyTheList)
{
    Open(BusWith({"D1", "D2", "D3"}));
    Ui::SelectRow(list, 1);
    for (int id : {IDC_EDIT_DEVICE_NAME, IDC_DEVICE_UP, IDC_DEVICE_DOWN})
        EXPECT_TRUE(Ui::Enabled(Control(id))) << id;
    EXPECT_TRUE(Ui::Shown(Control(IDC_RANKING_NOTE)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_APPLY_RANKING)));

    ClearTrace();
    Ui::Click(Control(IDC_DEVICE_UP));
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D2", "D1", "D3"}));
    EXPECT_EQ(Ui::SelectedRow(list), 0);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_DEVICE_UP)));
    EXPECT_TRUE(Ui::Enabled(Control(IDC_DEVICE_DOWN)));
    EXPECT_TRUE(Ui::Enabled(Control(IDC_APPLY_RANKING)));
    EXPECT_TRUE(NothingAsked());
}

TEST_F(DevicesPage, ApplyStoresEachRowsPositionInTheModelsOrder)
{
    Open(BusWith({"D1", "D2", "D3"}));
    Ui::SelectRow(list, 0);
    Ui::Click(Control(IDC_DEVICE_DOWN));
    ASSERT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D2", "D1", "D3"}));
    ClearTrace();
    Ui::Click(Control(IDC_APPLY_RANKING));

    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].deviceId, IdOf("D1"));
    EXPECT_EQ(stored[0].ranking, 1u);
    EXPECT_EQ(stored[1].deviceId, IdOf("D2"));
    EXPECT_EQ(stored[1].ranking, 0u);
    EXPECT_EQ(stored[2].deviceId, IdOf("D3"));
    EXPECT_EQ(stored[2].ranking, 2u);
    EXPECT_STREQ(stored[0].serialNumber, "SN-100");   // the whole record goes back
    // The driver's new order, the dependent pages reloaded, Apply off again.
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D2", "D1", "D3"}));
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), 2u);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_APPLY_RANKING)));
}

TEST_F(DevicesPage, ARefreshDiscardsMovesButKeepsApplyEnabled)
{
    Open(BusWith({"D1", "D2"}));
    Ui::SelectRow(list, 0);
    Ui::Click(Control(IDC_DEVICE_DOWN));
    panel->View()->RefreshAllPages();
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D1", "D2"}));
    EXPECT_TRUE(Ui::Enabled(Control(IDC_APPLY_RANKING)));
}

TEST_F(DevicesPage, ALongNameIsStoredAsItsFirst39CharactersAndEverythingIsRefreshed)
{
    Open(BusWith({"D1", "D2"}));
    Ui::SelectRow(list, 1);
    const uint32_t renamed = IdOf("D2");
    ClearTrace();
    AnswerNameEditor(IDC_DEVICE_NAME_EDIT, std::string(10, 'x') + std::string(40, 'y'));   // 50 characters
    Ui::Click(Control(IDC_EDIT_DEVICE_NAME));
    ASSERT_TRUE(DialogWasAnswered());

    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].deviceId, renamed);
    EXPECT_EQ(std::string(stored[0].name), std::string(10, 'x') + std::string(29, 'y'));
    EXPECT_EQ(stored[0].name[39], '\0');
    EXPECT_EQ(Ui::Cell(list, 1, 0), std::string(10, 'x') + std::string(29, 'y'));
    EXPECT_EQ(Ui::SelectedRow(list), 1);
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), 2u);
}

TEST_F(DevicesPage, TheEditorShowsTheNameHasNoCloseBoxAndCancelSendsNothing)
{
    Open(BusWith({"Desk"}));
    Ui::SelectRow(list, 0);
    ClearTrace();
    std::string shown;
    LONG style = 0;
    AnswerNextDialog([&](HWND dialog) {
        shown = WindowText(::GetDlgItem(dialog, IDC_DEVICE_NAME_EDIT));
        style = ::GetWindowLongA(dialog, GWL_STYLE);
        Ui::Type(::GetDlgItem(dialog, IDC_DEVICE_NAME_EDIT), "Renamed");
        ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    Ui::Click(Control(IDC_EDIT_DEVICE_NAME));
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(shown, "Desk");
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(NothingAsked());
    EXPECT_EQ(Ui::Cell(list, 0, 0), "Desk");
}

TEST_F(DevicesPage, ADoubleClickOnARowOpensTheEditor)
{
    Open(BusWith({"D1", "D2"}));
    // Below the last row nothing is selected, and nothing opens.
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 200));
    AnswerNameEditor(IDC_DEVICE_NAME_EDIT, "never");
    panel->Pump();
    EXPECT_FALSE(DialogWasAnswered());
    CancelDialogAnswer();

    const uint32_t renamed = IdOf("D2");
    AnswerNameEditor(IDC_DEVICE_NAME_EDIT, "", true);
    Ui::DoubleClickRow(list, 1);
    ASSERT_TRUE(DialogWasAnswered());
    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].deviceId, renamed);
    EXPECT_STREQ(stored[0].name, "");
}

TEST_F(DevicesPage, ARowThatOutlivedItsRecordChangesNothing)
{
    Open(BusWith({"D1", "D2", "D3"}));
    Ui::SelectRow(list, 2);
    // Another page reloads the model after two devices went away unannounced.
    Sim().Change([](SimBus& bus) { bus.devices.resize(1); });
    theDrv.RefreshDevices();
    ClearTrace();
    AnswerNameEditor(IDC_DEVICE_NAME_EDIT, "never");
    Ui::Click(Control(IDC_EDIT_DEVICE_NAME));
    Ui::Click(Control(IDC_DEVICE_UP));
    panel->Pump();
    EXPECT_FALSE(DialogWasAnswered());
    CancelDialogAnswer();
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D1", "D2", "D3"}));
    EXPECT_TRUE(NothingAsked());
}

TEST_F(DevicesPage, ApplyWithARowThatOutlivedItsRecordChangesNothing)
{
    Open(BusWith({"D1", "D2", "D3"}));
    Ui::SelectRow(list, 0);
    Ui::Click(Control(IDC_DEVICE_DOWN));
    Sim().Change([](SimBus& bus) { bus.devices.resize(1); });
    theDrv.RefreshDevices();
    const uint32_t ranking = theDrv.m_devices.GetAt(0)->ranking;
    ClearTrace();
    Ui::Click(Control(IDC_APPLY_RANKING));
    EXPECT_TRUE(NothingAsked());
    EXPECT_EQ(theDrv.m_devices.GetAt(0)->ranking, ranking);
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"D2", "D1", "D3"}));
}

TEST_F(DevicesPage, EnterAndEscapeLeaveThePageOpen)
{
    Open(BusWith({"D1"}));
    ::SetFocus(list);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ::PostMessageA(list, WM_KEYDOWN, key, 0);
        panel->Pump();
        EXPECT_TRUE(::IsWindow(page));
        EXPECT_TRUE(::IsWindowVisible(page));
    }
}
