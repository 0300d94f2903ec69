// The frame, its tray icon and menus, the about box and the page tree, driven the
// way the system drives them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "app/DeviceInterface.h"
#include "app/AppMessages.h"
#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "sim/SimScenario.h"
#include "tests/harness/PanelFixture.h"

namespace {

int CountLines(const std::string& text)
{
    int lines = text.empty() ? 0 : 1;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

class Shell : public CPanelFixture {
protected:
    // Opens the about box from the menu, reads its report and closes it with OK.
    std::string AboutReport()
    {
        std::string report;
        AnswerNextDialog([&](HWND dialog) {
            report = WindowText(::GetDlgItem(dialog, IDC_ABOUT_INFO));
            ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        });
        panel->SendCommand(ID_APP_ABOUT);
        EXPECT_TRUE(DialogWasAnswered());
        return report;
    }
};

}  // namespace

TEST_F(Shell, StartsOnTheDevicesPageWithEveryWindowInPlace)
{
    ASSERT_TRUE(StartPanel());
    HWND frame = panel->FrameWindow();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(WindowText(frame), "Tormalin Zemra 1394 Driver Control Panel");
    EXPECT_TRUE(::IsWindowVisible(frame));
    const LONG style = ::GetWindowLongA(frame, GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);

    EXPECT_EQ(panel->SelectedTreeText(), "Devices");
    const auto pages = panel->VisiblePages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(::GetDlgItem(pages[0], IDC_DEVICE_LIST), nullptr);
    // Every page but the streams page has its item, in this order.
    std::vector<std::string> items;
    const CTreeCtrlEx& pageTree = panel->View()->Tree();
    for (HTREEITEM item = pageTree.GetRootItem(); item; item = pageTree.GetNextSiblingItem(item))
        items.push_back(pageTree.GetItemText(item));
    EXPECT_EQ(items, (std::vector<std::string>{"Devices", "Input Channels", "Output Channels", "Synchronisation",
                                               "Settings"}));
    // The page sits to the right of the tree, its top just under the view's edge.
    RECT shown{}, tree{};
    ::GetWindowRect(pages[0], &shown);
    ::GetWindowRect(panel->View()->TreeWindow(), &tree);
    EXPECT_GT(shown.left, tree.right);
}

TEST_F(Shell, AsioOptionStartsOnTheSettingsPage)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "  -ASIO "));
    EXPECT_EQ(panel->SelectedTreeText(), "Settings");
    const auto pages = panel->VisiblePages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(::GetDlgItem(pages[0], IDC_ASIO_DEPTH_SLIDER), nullptr);
}

TEST_F(Shell, HideOptionStartsHiddenButRunning)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "-hide"));
    EXPECT_FALSE(::IsWindowVisible(panel->FrameWindow()));
    EXPECT_EQ(panel->SelectedTreeText(), "Devices");
}

TEST_F(Shell, TreeSelectionShowsExactlyOnePageAndWritesItsTitle)
{
    ASSERT_TRUE(StartPanel());
    const struct {
        const char* title;
        int control;
    } expected[] = {{"Input Channels", IDC_CHANNEL_LIST}, {"Synchronisation", IDC_SYNC_LIST},
                    {"Settings", IDC_STREAM_DEPTH_SLIDER}, {"Output Channels", IDC_CHANNEL_LIST},
                    {"Devices", IDC_DEVICE_LIST}};
    for (const auto& item : expected) {
        SCOPED_TRACE(item.title);
        HWND shown = panel->SelectPage(item.title);
        ASSERT_NE(shown, nullptr);
        EXPECT_NE(::GetDlgItem(shown, item.control), nullptr);
        EXPECT_EQ(panel->Pane(0), item.title);
    }
    // Input and output channels are two pages of one template.
    EXPECT_NE(panel->SelectPage("Input Channels"), panel->SelectPage("Output Channels"));
}

TEST_F(Shell, EveryWayOfClosingHidesAndTheTrayBringsTheSamePageBack)
{
    ASSERT_TRUE(StartPanel());
    HWND frame = panel->FrameWindow();
    ASSERT_NE(panel->SelectPage("Synchronisation"), nullptr);

    const auto closeBox = [&] { ::SendMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0); };
    const auto fileClose = [&] { panel->SendCommand(ID_HIDE_PANEL); };
    const auto altF4 = [&] { ::DefWindowProcA(frame, WM_SYSKEYDOWN, VK_F4, 1 << 29); };
    const std::function<void()> closes[] = {closeBox, fileClose, altF4};
    const LPARAM opens[] = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN};
    for (size_t i = 0; i < std::size(closes); ++i) {
        SCOPED_TRACE(i);
        closes[i]();
        panel->Pump();
        ASSERT_TRUE(::IsWindow(frame));
        EXPECT_FALSE(::IsWindowVisible(frame));
        ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID, opens[i]);
        panel->Pump();
        EXPECT_TRUE(::IsWindowVisible(frame));
        EXPECT_EQ(panel->SelectedTreeText(), "Synchronisation");
        ASSERT_EQ(panel->VisiblePages().size(), 1u);
        EXPECT_NE(::GetDlgItem(panel->VisiblePages()[0], IDC_SYNC_LIST), nullptr);
    }
}

TEST_F(Shell, TrayIgnoresAnotherIconsNotifications)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "-hide"));
    HWND frame = panel->FrameWindow();
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID + 1, WM_LBUTTONDOWN);
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID, WM_MOUSEMOVE);
    panel->Pump();
    EXPECT_FALSE(::IsWindowVisible(frame));
}

TEST_F(Shell, TrayRightClickOffersOpenAndQuitAndQuitEndsTheProgram)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "-hide"));
    HWND frame = panel->FrameWindow();
    std::vector<std::string> items;
    AnswerNextDialog(
        [&](HWND menuWindow) {
            HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                char text[64] = "";
                ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                items.push_back(text);
            }
            ::EndMenu();
        },
        "#32768");
    ::SendMessageA(frame, WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID, WM_RBUTTONDOWN);
    EXPECT_TRUE(DialogWasAnswered());
    EXPECT_EQ(items, (std::vector<std::string>{"&Open", "&Event History...", "&Quit"}));
    EXPECT_FALSE(::IsWindowVisible(frame));

    // The tray's Quit ends the program as File Quit does.
    ::SendMessageA(frame, WM_COMMAND, ID_TRAY_QUIT, 0);
    EXPECT_EQ(panel->Quit(), 0);
    EXPECT_FALSE(::IsWindow(frame));
}

TEST_F(Shell, QuitEndsWithCodeZeroAndRemovesTheTrayIcon)
{
    ASSERT_TRUE(StartPanel());
    HWND frame = panel->FrameWindow();
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = frame;
    probe.uID = CMainFrame::TRAY_ICON_ID;
    // The icon is there: changing nothing of it succeeds.
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
    EXPECT_EQ(panel->Quit(), 0);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
}

TEST_F(Shell, ARecreatedNotificationAreaGetsTheIconBack)
{
    ASSERT_TRUE(StartPanel(DefaultBus(), "-hide"));
    HWND frame = panel->FrameWindow();
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = frame;
    probe.uID = CMainFrame::TRAY_ICON_ID;
    // The shell restarted: its new notification area knows no icon.
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &probe));
    ASSERT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
    ::SendMessageA(frame, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &probe));
    EXPECT_EQ(panel->Quit(), 0);
}

TEST_F(Shell, MenuPromptWhileHighlightedAndReadyAfterTheMenuCloses)
{
    ASSERT_TRUE(StartPanel());
    HWND frame = panel->FrameWindow();
    HMENU file = ::GetSubMenu(::GetMenu(frame), 0);
    ASSERT_NE(file, nullptr);
    // What the menu loop sends while the user moves over File "&Close".
    ::SendMessageA(frame, WM_ENTERMENULOOP, FALSE, 0);
    ::SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(ID_HIDE_PANEL, MF_HILITE | MF_MOUSESELECT),
                   reinterpret_cast<LPARAM>(file));
    EXPECT_EQ(panel->Pane(0), "Hide the control panel.");
    ::SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    ::SendMessageA(frame, WM_EXITMENULOOP, FALSE, 0);
    panel->Pump();
    EXPECT_EQ(panel->Pane(0), "Ready");
}

TEST_F(Shell, AboutReportsTheDriverInSevenLines)
{
    SimBus bus = DefaultBus();
    bus.version = {2, 15, 3, 7, 412, 0};
    ASSERT_TRUE(StartPanel(bus));
    const std::string report = AboutReport();
    EXPECT_EQ(report,
              "Tormalin Zemra 1394 Driver Control Panel: V 1.01\n\n - Driver Interface Version 2.15\n\n"
              " - Driver Version 3.7.412\n\nCopyright (C) 2025-2026 Tormalin Audio. All rights reserved.");
    EXPECT_EQ(CountLines(report), 7);
}

TEST_F(Shell, AboutWithoutADriverHasFourLines)
{
    SimBus bus = DefaultBus();
    bus.driverPresent = false;
    ASSERT_TRUE(StartPanel(bus));
    const std::string report = AboutReport();
    EXPECT_EQ(report, "Tormalin Zemra 1394 Driver Control Panel: V 1.01\n\n\n"
                      "Copyright (C) 2025-2026 Tormalin Audio. All rights reserved.");
    EXPECT_EQ(CountLines(report), 4);
}

TEST_F(Shell, SecondInitialUpdateKeepsOneTreeOnePageSetAndOneNotifier)
{
    ASSERT_TRUE(StartPanel());
    const size_t connections = panel->sim.OpenConnections();
    const auto treeItems = TreeView_GetCount(panel->View()->TreeWindow());
    ClearTrace();
    panel->SendCommand(ID_FILE_NEW);
    panel->Pump();
    EXPECT_EQ(TreeView_GetCount(panel->View()->TreeWindow()), treeItems);
    size_t pages = 0;
    for (HWND child = ::GetWindow(panel->View()->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        ::GetClassNameA(child, name, sizeof name);
        pages += std::string(name) == "#32770";
    }
    EXPECT_EQ(pages, panel->View()->AllPages().size());
    EXPECT_EQ(panel->VisiblePages().size(), 1u);
    EXPECT_TRUE(panel->View()->Notifier().IsRunning());
    EXPECT_EQ(panel->sim.OpenConnections(), connections);
    EXPECT_EQ(CountOf(OvxIoctl::RegisterNotificationEvent), 0u);
}

TEST(DeviceInterfaceName, ReadsNoFurtherThanTheRecordSays)
{
    auto record = InterfaceRecord("\\\\?\\ROOT#OVX");
    auto* header = reinterpret_cast<DEV_BROADCAST_HDR*>(record.data());
    EXPECT_EQ(DeviceInterfaceName(header), "\\\\?\\ROOT#OVX");
    // A name without its terminator ends with the record.
    header->dbch_size -= 3;
    EXPECT_EQ(DeviceInterfaceName(header), "\\\\?\\ROOT#O");
    header->dbch_size = 8;
    EXPECT_EQ(DeviceInterfaceName(header), "");
    header->dbch_size = static_cast<DWORD>(record.size());
    header->dbch_devicetype = DBT_DEVTYP_VOLUME;
    EXPECT_EQ(DeviceInterfaceName(header), "");
}

TEST_F(Shell, TabMovesFromTheTreeIntoTheShownPage)
{
    ASSERT_TRUE(StartPanel());
    HWND tree = panel->View()->TreeWindow();
    ::SetFocus(tree);
    ::PostMessageA(tree, WM_KEYDOWN, VK_TAB, 0);
    panel->Pump();
    HWND focus = ::GetFocus();
    EXPECT_EQ(::GetParent(focus), panel->View()->PageOf(PAGE_DEVICES)->m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(focus), IDC_DEVICE_LIST);
}
