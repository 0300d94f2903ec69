// The File menu's support report through its real windows: the preview read as shown,
// its check box ticked, Enter and Escape, and Save answered through the file dialog;
// the file compared with what was shown.
#include <gtest/gtest.h>

#include <windows.h>
#include <fstream>
#include <iterator>

#include "app/OVX_CPL.h"
#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "tests/harness/DialogAnswers.h"
#include "tests/harness/PanelFixture.h"
#include "tests/harness/ReaderNames.h"

namespace {

bool IsPreview(HWND dialog) { return ::GetDlgItem(dialog, IDC_REPORT_TEXT) != nullptr; }

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof name;
    return ::GetComputerNameA(name, &size) ? name : "";
}

std::string UserName()
{
    char name[257] = "";
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? name : "";
}

// The panel on a studio with a plug that fails to connect, a read the driver refuses
// (the journal keeps it) and an entry in the history.
class SupportReportMenu : public CPanelFixture {
protected:
    void SetUp() override
    {
        SimBus bus = DefaultBus();
        bus.devices[1].plugs[PlugAudioIn].failCode = 0xE0000073;
        ASSERT_TRUE(StartPanel(bus));
        Sim().FailRequest(OvxIoctl::GetClockSource, 0xE0000022);
        HistoryEntry entry;
        entry.when = std::chrono::system_clock::now();
        entry.kind = HistoryKind::DeviceConnected;
        entry.device = "Zemra Desk 4";
        entry.serial = "ZD4-0019-82";
        ThePanelApp()->NoteInHistory(entry);
    }
};

TEST_F(SupportReportMenu, ThePreviewShowsTheReportAndTheCheckBoxAddsTheNames)
{
    HMENU file = ::GetSubMenu(::GetMenu(panel->FrameWindow()), 0);
    char item[64] = "";
    ::GetMenuStringA(file, 2, item, sizeof item, MF_BYPOSITION);
    EXPECT_STREQ(item, "Save Su&pport Report...");
    EXPECT_EQ(::GetMenuItemID(file, 2), static_cast<UINT>(ID_SAVE_SUPPORT_REPORT));
    EXPECT_NE(::GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR, 0u);

    std::string before, after, reportName;
    AnswerDialogWhere(IsPreview, [&](HWND preview) {
        HWND report = ::GetDlgItem(preview, IDC_REPORT_TEXT);
        before = WindowText(report);
        reportName = Reader::Name(report);
        Ui::Click(::GetDlgItem(preview, IDC_REPORT_WITH_NAMES));
        after = WindowText(report);
        PostKey(report, VK_ESCAPE);
    });
    panel->SendCommand(ID_SAVE_SUPPORT_REPORT);
    ASSERT_TRUE(DialogWasAnswered());
    EXPECT_EQ(reportName, "Report, as it will be saved:");
    const char* const lines[] = {
        "\r\nWritten by Tormalin Zemra 1394 Driver Control Panel V 1.01 on ",
        "\r\nDevice 2: Zemra Desk 4\r\n  Serial number:   ZD4-0019-82\r\n",
        "\r\n  Audio In Plug: connect failed: Error code 0xE0000073: Bandwidth allocation failed.\r\n",
        "\r\nNot read in full: GetClockSource, 0xE0000022 Negative response for an FCP request.\r\n",
        "  GetClockSource, 0xE0000022 Negative response for an FCP request.\r\n\r\n[Event history",
        "\tDevice connected\tZemra Desk 4 (ZD4-0019-82)\r\n",
    };
    for (const char* line : lines)
        EXPECT_NE(before.find(line), std::string::npos) << line << "\n" << before;
    EXPECT_EQ(before.find("[Computer and user]"), std::string::npos);
    EXPECT_EQ(after.substr(0, before.size()), before);
    EXPECT_EQ(after.substr(before.size()),
              "\r\n[Computer and user]\r\nComputer: " + ComputerName() + "\r\nUser:     " + UserName() + "\r\n");
}

TEST_F(SupportReportMenu, SaveWritesWhatIsShownAndAFailedSaveSaysWhyAndKeepsThePreview)
{
    const std::wstring readOnly = TempFile(L"ovx-support-read-only.txt");
    std::ofstream(readOnly.c_str()) << "before";
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::wstring path = TempFile(L"ovx-support-report.txt");
    std::string shown, message;
    std::wstring suggested;
    AnswerDialogWhere(IsPreview, [&](HWND preview) {
        shown = WindowText(::GetDlgItem(preview, IDC_REPORT_TEXT));
        AnswerFileDialog(readOnly, [&, preview] {
            AnswerDialogWhere(IsMessageBox, [&, preview](HWND replace) {   // the file dialog asks first
                AnswerMessage(message, [&, preview] {
                    AnswerFileDialog(path);
                    ::PostMessageA(preview, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                });
                ::PostMessageA(replace, WM_COMMAND, IDYES, 0);
            });
        }, &suggested);
        PostKey(::GetDlgItem(preview, IDC_REPORT_TEXT), VK_RETURN);
    });
    panel->SendCommand(ID_SAVE_SUPPORT_REPORT);
    EXPECT_EQ(suggested.rfind(L"Zemra support report 20", 0), 0u);
    EXPECT_EQ(suggested.size(), std::wstring(L"Zemra support report 2026-12-10.txt").size());
    EXPECT_NE(message.find("The support report was not saved, and a file there before is unchanged.\n\n"),
              std::string::npos) << message;
    EXPECT_NE(message.find("read-only"), std::string::npos) << message;
    std::ifstream saved(path.c_str(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), shown);
    std::ifstream kept(readOnly.c_str(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "before");
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(readOnly.c_str());
    ::DeleteFileW(path.c_str());
}

}  // namespace
