// The File menu's studio snapshots through their real windows: the file dialogs
// answered by typing a name, the plan dialog read and answered by key, the messages
// read; the driver's requests on the simulated driver's trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <fstream>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "tests/harness/DialogAnswers.h"
#include "tests/harness/PanelFixture.h"
#include "tests/harness/ReaderNames.h"

namespace {

namespace Io = OvxIoctl;

// A key pressed in a modal dialog, through its loop's dialog manager.
void PostKey(HWND control, WPARAM key)
{
    ::SetFocus(control);
    ::PostMessageA(control, WM_KEYDOWN, key, 0);
    ::PostMessageA(control, WM_KEYUP, key, 0);
}

struct PlanShown {
    std::vector<std::string> rows;   // setting | now | then
    std::string summary;
    bool restoreEnabled = false;
    std::string listName;               // as a screen reader announces it
    std::vector<std::string> unnamed;   // controls a screen reader finds without a name
};

// Reads the plan dialog, then presses Enter (Restore) or Escape (Cancel).
void AnswerPlan(PlanShown& shown, WPARAM key)
{
    AnswerDialogWhere([](HWND dialog) { return ::GetDlgItem(dialog, IDC_PLAN_LIST) != nullptr; },
                      [&shown, key](HWND dialog) {
        HWND list = ::GetDlgItem(dialog, IDC_PLAN_LIST);
        for (int row = 0; row < ListView_GetItemCount(list); ++row)
            shown.rows.push_back(Ui::Cell(list, row, 0) + " | " + Ui::Cell(list, row, 1) + " | " + Ui::Cell(list, row, 2));
        shown.summary = WindowText(::GetDlgItem(dialog, IDC_PLAN_SUMMARY));
        shown.restoreEnabled = Ui::Enabled(::GetDlgItem(dialog, IDOK));
        shown.listName = Reader::Name(list);
        shown.unnamed = Reader::Unnamed(dialog);
        PostKey(list, key);
    });
}

class SnapshotMenu : public CPanelFixture {
protected:
    void Save(const std::wstring& path)
    {
        AnswerFileDialog(path);
        panel->SendCommand(ID_SAVE_SNAPSHOT);
        ASSERT_TRUE(DialogWasAnswered());
    }
    // The restore's file dialog, then its plan dialog answered with key.
    PlanShown Restore(const std::wstring& path, WPARAM key)
    {
        PlanShown shown;
        AnswerFileDialog(path, [&] { AnswerPlan(shown, key); });
        panel->SendCommand(ID_RESTORE_SNAPSHOT);
        return shown;
    }
    std::vector<std::string> DeviceNames()
    {
        HWND devices = panel->SelectPage("Devices");
        return Ui::Column(::GetDlgItem(devices, IDC_DEVICE_LIST), 0);
    }
};

TEST_F(SnapshotMenu, SavedChangedAndRestoredEveryPageShowsTheStudioAgain)
{
    ASSERT_TRUE(StartPanel());
    HMENU file = ::GetSubMenu(::GetMenu(panel->FrameWindow()), 0);
    char text[64] = "";
    ::GetMenuStringA(file, ID_SAVE_SNAPSHOT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Save Studio Snapshot...");
    ::GetMenuStringA(file, ID_RESTORE_SNAPSHOT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Restore Studio Snapshot...");

    const std::wstring path = TempFile(L"ovx-studio.json");
    Save(path);
    const SimBus saved = Sim().Bus();
    EXPECT_TRUE(std::ifstream(path.c_str()).good());

    Sim().Change([](SimBus& bus) {
        bus.devices[1].name = "Desk";
        bus.inputs[0].name = "Kick";
        bus.clockSource = {0, 0, 0};
        bus.rateMode = 0;
    });
    Sim().RaiseEvent(EvtType_DomainConfigurationChanged);
    ASSERT_TRUE(panel->PumpUntil([&] { return DeviceNames().at(1) == "Desk"; }));

    ClearTrace();
    const PlanShown shown = Restore(path, VK_RETURN);
    EXPECT_EQ(shown.summary, "4 changes to restore, 0 items skipped.");
    EXPECT_EQ(shown.rows, (std::vector<std::string>{
                              "Name of Desk (ZD4-0019-82) | Desk | Zemra Desk 4",
                              "Name of input 1 of Zemra Stage 8 (ZS8-0041-17) | Kick | In 1",
                              "Clock master | PC Driver | Zemra Stage 8 (ZS8-0041-17)",
                              "Sampling rate | set manually | set by the clock master"}));
    EXPECT_EQ(shown.listName, "Changes to restore");
    EXPECT_EQ(shown.unnamed, std::vector<std::string>{});
    EXPECT_EQ(CountOf(Io::SetDeviceProperties), 1u);
    EXPECT_EQ(CountOf(Io::StartStreaming), 1u);
    const SimBus restored = Sim().Bus();
    EXPECT_EQ(restored.devices[1].name, saved.devices[1].name);
    EXPECT_EQ(restored.inputs[0].name, saved.inputs[0].name);
    EXPECT_EQ(restored.clockSource.masterDeviceId, saved.clockSource.masterDeviceId);
    // The file planned twice (before the dialog and on Restore), the read back (each
    // reading the inputs and the outputs), and one refresh of both channel pages: the
    // events the writes caused refresh nothing more.
    panel->Pump();
    EXPECT_EQ(CountOf(Io::GetChannelLists), 8u);
    // Every page shows what the driver holds.
    EXPECT_EQ(DeviceNames().at(1), "Zemra Desk 4");
    HWND inputs = panel->SelectPage("Input Channels");
    EXPECT_EQ(Ui::Cell(::GetDlgItem(inputs, IDC_CHANNEL_LIST), 0, 1), "In 1");
    HWND sync = panel->SelectPage("Synchronisation");
    EXPECT_EQ(Ui::Ticks(::GetDlgItem(sync, IDC_SYNC_LIST)), (std::vector<bool>{false, true, false, false}));

    // The snapshot just restored has nothing left to change.
    std::string message;
    AnswerFileDialog(path, [&] { AnswerMessage(message); });
    ClearTrace();
    panel->SendCommand(ID_RESTORE_SNAPSHOT);
    EXPECT_EQ(message, "The driver holds every setting of this studio snapshot already.");
    EXPECT_EQ(CountOf(Io::SetDeviceProperties) + CountOf(Io::StopStreaming), 0u);
    ::DeleteFileW(path.c_str());
}

TEST_F(SnapshotMenu, CancelSendsNothingAndARefusedWriteIsReportedWithTheSkips)
{
    ASSERT_TRUE(StartPanel());
    const std::wstring path = TempFile(L"ovx-studio-2.json");
    Save(path);
    Sim().Change([](SimBus& bus) {
        bus.inputs[0].name = "Kick";
        bus.inputs[1].name = "Snare";
    });
    ASSERT_TRUE(Sim().UnplugDevice(Sim().Bus().devices[2].id));
    ClearTrace();
    const PlanShown shown = Restore(path, VK_ESCAPE);
    EXPECT_EQ(shown.summary, "2 changes to restore, 1 items skipped.");
    EXPECT_EQ(shown.rows.at(0), "Zemra Rack 16 (ZR16-0007-03) |  | Skipped: not connected");
    EXPECT_EQ(CountOf(Io::SetChannelProperties), 0u);

    // Restore by its mnemonic this time; the message follows the plan dialog.
    Sim().FailRequest(Io::SetChannelProperties, 0xE0000022);
    std::string message;
    AnswerFileDialog(path, [&] {
        AnswerDialogWhere([](HWND dialog) { return ::GetDlgItem(dialog, IDC_PLAN_LIST) != nullptr; },
                          [&](HWND dialog) {
                              AnswerMessage(message);
                              ::SetFocus(::GetDlgItem(dialog, IDC_PLAN_LIST));
                              ::PostMessageA(::GetDlgItem(dialog, IDC_PLAN_LIST), WM_SYSCHAR, 'r', 0);
                          });
    });
    panel->SendCommand(ID_RESTORE_SNAPSHOT);
    EXPECT_NE(message.find("Name of input 1 of Zemra Stage 8 (ZS8-0041-17): refused by the driver, "
                           "SetChannelProperties error code 0xE0000022 Negative response for an FCP request."),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("Zemra Rack 16 (ZR16-0007-03): Skipped: not connected"), std::string::npos) << message;
    HWND inputs = panel->SelectPage("Input Channels");
    EXPECT_EQ(Ui::Cell(::GetDlgItem(inputs, IDC_CHANNEL_LIST), 0, 1), "Kick");
    EXPECT_EQ(Ui::Cell(::GetDlgItem(inputs, IDC_CHANNEL_LIST), 1, 1), "In 2");

    // A file that is no snapshot is refused before anything is sent.
    std::ofstream(path.c_str()) << "{\"format\": \"something else\"}";
    ClearTrace();
    AnswerFileDialog(path, [&] { AnswerMessage(message); });
    panel->SendCommand(ID_RESTORE_SNAPSHOT);
    EXPECT_NE(message.find("This file cannot be restored, and nothing was sent to the driver.\n\nformat:"),
              std::string::npos)
        << message;
    EXPECT_TRUE(NothingAsked());
    ::DeleteFileW(path.c_str());
}

TEST_F(SnapshotMenu, AFileNamedOutsideTheCodePageIsSavedAndRestoredByItsName)
{
    ASSERT_TRUE(StartPanel());
    // "studio recording" in Cyrillic and Chinese: no character of it in code page 1252.
    const std::wstring path = TempFile(L"\u0441\u0442\u0443\u0434\u0438\u044F \u5F55\u97F3.json");
    Save(path);
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    Sim().Change([](SimBus& bus) { bus.devices[1].name = "Desk"; });
    const PlanShown shown = Restore(path, VK_RETURN);
    EXPECT_EQ(shown.rows, std::vector<std::string>{"Name of Desk (ZD4-0019-82) | Desk | Zemra Desk 4"});
    EXPECT_EQ(Sim().Bus().devices[1].name, "Zemra Desk 4");
    ::DeleteFileW(path.c_str());
}

}  // namespace
