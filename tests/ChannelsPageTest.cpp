// The two channel pages through their controls, with the requests on the trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "ui/ResourceText.h"
#include "tests/harness/PanelFixture.h"

namespace {

class ChannelsPage : public CPanelFixture {
protected:
    // One device with two inputs and one output; the names are the test's. The input
    // page is shown, the output page is its sibling of the same template.
    void Open(const std::string& deviceName, const std::vector<std::string>& inputNames, uint32_t option = 0)
    {
        SimBus bus = EmptyBus();
        AddStandardDevice(bus, deviceName, "SN", static_cast<uint32_t>(inputNames.size()), 1);
        for (size_t i = 0; i < inputNames.size(); ++i)
            bus.inputs[i].name = inputNames[i];
        bus.asioNameOption = option;
        OpenPage(std::move(bus), "Input Channels");
        output = panel->View()->PageOf(PAGE_OUTPUT_CHANNELS)->m_hWnd;
        inputList = Control(IDC_CHANNEL_LIST);
        outputList = ::GetDlgItem(output, IDC_CHANNEL_LIST);
    }
    std::vector<_OVX_CHANNEL_PROPERTIES> Stored() const
    {
        return Sent<_OVX_CHANNEL_PROPERTIES>(OvxIoctl::SetChannelProperties);
    }

    HWND output = nullptr;
    HWND inputList = nullptr;
    HWND outputList = nullptr;
};

}  // namespace

TEST_F(ChannelsPage, ShowsDeviceChannelAndDisplayNameOfEachDirection)
{
    Open("Desk", {"Kick", "Snare"}, 1);
    EXPECT_EQ(Ui::Column(inputList, 0), (std::vector<std::string>{"Desk", "Desk"}));
    EXPECT_EQ(Ui::Column(inputList, 1), (std::vector<std::string>{"Kick", "Snare"}));
    EXPECT_EQ(Ui::Column(inputList, 2), (std::vector<std::string>{"Desk - Kick", "Desk - Snare"}));
    EXPECT_EQ(Ui::Column(outputList, 1), (std::vector<std::string>{"Out 1"}));
    EXPECT_TRUE(Ui::Checked(Control(IDC_INCLUDE_DEVICE_NAME)));
    EXPECT_TRUE(Ui::Checked(::GetDlgItem(output, IDC_INCLUDE_DEVICE_NAME)));
}

TEST_F(ChannelsPage, TheCheckBoxChangesBothPagesWithOneRequest)
{
    Open("Desk", {"Kick"});
    EXPECT_EQ(Ui::Column(inputList, 2), (std::vector<std::string>{"Kick"}));
    ClearTrace();
    HWND check = Control(IDC_INCLUDE_DEVICE_NAME);
    Ui::Click(check);
    EXPECT_EQ(Codes(), std::vector<uint32_t>{OvxIoctl::SetAsioNameOption});
    EXPECT_EQ(InputOf(0), (std::vector<uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(Ui::Column(inputList, 2), (std::vector<std::string>{"Desk - Kick"}));
    EXPECT_EQ(Ui::Column(outputList, 2), (std::vector<std::string>{"Desk - Out 1"}));
    EXPECT_TRUE(Ui::Checked(::GetDlgItem(output, IDC_INCLUDE_DEVICE_NAME)));

    Ui::Click(::GetDlgItem(output, IDC_INCLUDE_DEVICE_NAME));
    EXPECT_EQ(CountOf(OvxIoctl::SetAsioNameOption), 2u);
    EXPECT_EQ(Ui::Column(inputList, 2), (std::vector<std::string>{"Kick"}));
    EXPECT_FALSE(Ui::Checked(check));
}

TEST_F(ChannelsPage, DisplayNamesAreCutTo32Characters)
{
    const std::string device30(30, 'd');
    const std::string channel39 = std::string(32, 'c') + "1234567";
    Open(device30, {channel39, "x"}, 1);
    EXPECT_EQ(Ui::Cell(inputList, 0, 2), device30 + " -");
    EXPECT_EQ(Ui::Cell(inputList, 0, 2).size(), 32u);
    Ui::Click(Control(IDC_INCLUDE_DEVICE_NAME));
    EXPECT_EQ(Ui::Cell(inputList, 0, 1), channel39);
    EXPECT_EQ(Ui::Cell(inputList, 0, 2), std::string(32, 'c'));
}

TEST_F(ChannelsPage, TheHardwareNameAndEditButtonFollowTheSelection)
{
    Open("Desk", {"Kick", "Snare"});
    HWND field = Control(IDC_HARDWARE_NAME);
    for (int id : {IDC_EDIT_CHANNEL_NAME, IDC_HARDWARE_NAME_LABEL, IDC_HARDWARE_NAME})
        EXPECT_FALSE(Ui::Enabled(Control(id))) << id;
    EXPECT_EQ(WindowText(field), "");
    Ui::SelectRow(inputList, 1);
    for (int id : {IDC_EDIT_CHANNEL_NAME, IDC_HARDWARE_NAME_LABEL, IDC_HARDWARE_NAME})
        EXPECT_TRUE(Ui::Enabled(Control(id))) << id;
    EXPECT_EQ(WindowText(field), " In 2");
}

TEST_F(ChannelsPage, ARenameToAnEmptyNameKeepsTheSelectedRow)
{
    Open("Desk", {"Kick", "Snare"}, 1);
    Ui::SelectRow(inputList, 1);
    ClearTrace();
    LONG style = 0;
    AnswerNextDialog([&](HWND dialog) {
        style = ::GetWindowLongA(dialog, GWL_STYLE);
        Ui::Type(::GetDlgItem(dialog, IDC_CHANNEL_NAME_EDIT), "");
        ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    Ui::Click(Control(IDC_EDIT_CHANNEL_NAME));
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_TRUE(style & WS_SYSMENU);

    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_STREQ(stored[0].channelName, "");
    EXPECT_STREQ(stored[0].hardwareName, "In 2");
    EXPECT_EQ(Ui::Cell(inputList, 1, 1), "");
    EXPECT_EQ(Ui::Cell(inputList, 1, 2), "Desk - ");
    EXPECT_EQ(Ui::SelectedRow(inputList), 1);
    // Only this page reloads.
    EXPECT_EQ(CountOf(OvxIoctl::GetChannelLists), 1u);
    EXPECT_EQ(CountOf(OvxIoctl::GetDeviceList), 0u);
}

TEST_F(ChannelsPage, ANameWithAControlCharacterKeepsTheEditorOpenSaysWhyAndSendsNothing)
{
    Open("Desk", {"Kick", "Snare"}, 1);
    Ui::SelectRow(inputList, 1);
    ClearTrace();
    std::string said;
    bool stillOpen = false;
    AnswerNextDialog([&](HWND editor) {
        Ui::Type(::GetDlgItem(editor, IDC_CHANNEL_NAME_EDIT), "Left\tRight");
        AnswerNextDialog([&](HWND box) {
            said = WindowText(::GetDlgItem(box, 0xFFFF));   // the message box's text
            ::SendMessageA(box, WM_COMMAND, IDOK, 0);
        });
        ::SendMessageA(::GetDlgItem(editor, IDOK), BM_CLICK, 0, 0);
        stillOpen = ::IsWindowVisible(editor) != FALSE;
        ::SendMessageA(::GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0);
    });
    Ui::Click(Control(IDC_EDIT_CHANNEL_NAME));
    EXPECT_EQ(said, LoadResString(IDS_NAME_RULE_CONTROL));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(Ui::Cell(inputList, 1, 1), "Snare");
}

TEST_F(ChannelsPage, ALongNameIsCutAndACancelledEditorSendsNothing)
{
    Open("Desk", {"Kick"});
    Ui::SelectRow(inputList, 0);
    ClearTrace();
    AnswerNameEditor(IDC_CHANNEL_NAME_EDIT, "whatever", false);
    Ui::DoubleClickRow(inputList, 0);
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_TRUE(NothingAsked());

    AnswerNameEditor(IDC_CHANNEL_NAME_EDIT, std::string(45, 'n'));
    Ui::DoubleClickRow(inputList, 0);
    ASSERT_TRUE(DialogWasAnswered());
    const auto stored = Stored();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(std::string(stored[0].channelName), std::string(39, 'n'));
}

TEST_F(ChannelsPage, AChannelWhoseDeviceCannotBeReadGetsNoRow)
{
    Open("Desk", {"Kick", "Snare", "Hat"});
    // The second channel's device read fails; the others keep their records' indices.
    Sim().FailRequest(OvxIoctl::GetDeviceProperties, 55, FaultRepeat::Once, 1);
    panel->View()->InputChannelsPage().RefreshChannelList();
    EXPECT_EQ(Ui::Column(inputList, 1), (std::vector<std::string>{"Kick", "Hat"}));
    Ui::SelectRow(inputList, 1);
    EXPECT_EQ(WindowText(Control(IDC_HARDWARE_NAME)), " In 3");
}

TEST_F(ChannelsPage, AFailedReloadLeavesTheListEmpty)
{
    Open("Desk", {"Kick"});
    Sim().FailRequest(OvxIoctl::GetChannelLists, 0xE0000001, FaultRepeat::Once);
    panel->View()->InputChannelsPage().RefreshChannelList();
    EXPECT_EQ(ListView_GetItemCount(inputList), 0);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_EDIT_CHANNEL_NAME)));
}
