// The simulated bus window beside the whole panel in the test's process, driven
// through its own controls as a user would, with the panel following the bus.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>

#include "res/resource.h"
#include "simapp/SimBusWindow.h"
#include "sim/SimConsole.h"
#include "simapp/SimResource.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"
#include "tests/harness/ReaderNames.h"
#include "ui/Dpi.h"

namespace {

class SimBusWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.Start());
        window = std::make_unique<CSimBusWindow>(panel.sim, console, true);
        ASSERT_TRUE(window->Create());
        panel.sim.SetTraceListener([this](const SimTraceEntry& entry) { window->QueueTrace(entry); });
        panel.Pump();
        devices = panel.View()->PageOf(PAGE_DEVICES)->m_hWnd;
    }
    void TearDown() override
    {
        panel.sim.SetTraceListener(nullptr);
        if (window && window->m_hWnd)
            window->DestroyWindow();
    }
    HWND Control(int id) const { return ::GetDlgItem(window->m_hWnd, id); }
    int PanelRows() const
    {
        return static_cast<int>(::SendMessageA(::GetDlgItem(devices, IDC_DEVICE_LIST), LVM_GETITEMCOUNT, 0, 0));
    }
    void Choose(int comboId, const char* text)
    {
        HWND combo = Control(comboId);
        const LRESULT index = ::SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(text));
        ASSERT_GE(index, 0) << text;
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageA(window->m_hWnd, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }

    CPanelHarness panel;
    CSimConsole console{panel.sim};
    std::unique_ptr<CSimBusWindow> window;
    HWND devices = nullptr;
};

}  // namespace

TEST_F(SimBusWindow, UnplugPlugBackAndAddDeviceChangeThePanelsDevicesPage)
{
    HWND list = Control(IDC_SIM_DEVICES);
    ASSERT_EQ(Ui::Column(list, 2), (std::vector<std::string>{"Zemra Stage 8", "Zemra Desk 4", "Zemra Rack 16"}));
    // The boxes start from the bus as it is, the editable event kind at 3 included.
    EXPECT_EQ(WindowText(Control(IDC_SIM_EVENT_KIND)), "3");
    EXPECT_EQ(WindowText(Control(IDC_SIM_RATE)), "48000");
    ASSERT_EQ(PanelRows(), 3);

    Ui::SelectRow(list, 1);
    Ui::Click(Control(IDC_SIM_UNPLUG));
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 2; }));
    EXPECT_EQ(panel.Pane(1), "2 Device(s) connected.");
    // An unplugged device keeps its row and number in the window.
    EXPECT_EQ(Ui::Cell(list, 1, 1), "unplugged");
    EXPECT_EQ(Ui::SelectedRow(list), 1);

    Ui::Click(Control(IDC_SIM_PLUG));
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 3; }));
    EXPECT_EQ(Ui::Cell(list, 1, 1), "plugged in");

    Ui::Type(Control(IDC_SIM_NEW_NAME), "Zemra Pocket 2");
    Ui::Type(Control(IDC_SIM_NEW_SERIAL), "ZP2-0001-01");
    Ui::Type(Control(IDC_SIM_NEW_IN), "2");
    Ui::Type(Control(IDC_SIM_NEW_OUT), "6");
    Ui::Click(Control(IDC_SIM_ADD_DEVICE));
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 4; }));
    EXPECT_EQ(panel.Pane(1), "4 Device(s) connected.");
    EXPECT_EQ(Ui::Cell(list, 3, 2), "Zemra Pocket 2");
    EXPECT_EQ(Ui::Cell(list, 3, 5), "6");
    EXPECT_EQ(WindowText(Control(IDC_SIM_ANSWER)), "device 4 \"Zemra Pocket 2\" plugged in");
}

TEST_F(SimBusWindow, AFaultAddedByItsControlsShowsInTheTraceWithItsCodesName)
{
    Choose(IDC_SIM_FAULT_REQUEST, "GetDeviceList");
    Choose(IDC_SIM_FAULT_KIND, "Fail with driver code");
    Ui::Type(Control(IDC_SIM_FAULT_VALUE), "0xE0000022");
    ::SendMessageA(Control(IDC_SIM_FAULT_ALWAYS), BM_SETCHECK, BST_CHECKED, 0);
    Ui::Click(Control(IDC_SIM_ADD_FAULT));
    HWND faults = Control(IDC_SIM_FAULTS);
    ASSERT_EQ(::SendMessageA(faults, LB_GETCOUNT, 0, 0), 1);

    // A configuration event makes the panel ask for the device list again.
    Choose(IDC_SIM_EVENT_KIND, "3");
    Ui::Type(Control(IDC_SIM_EVENT_COUNT), "1");
    Ui::Click(Control(IDC_SIM_QUEUE_EVENT));
    HWND trace = Control(IDC_SIM_TRACE);
    const auto failedListShown = [&] {
        panel.Pump();
        const std::vector<std::string> requests = Ui::Column(trace, 1);
        const std::vector<std::string> results = Ui::Column(trace, 3);
        for (size_t i = 0; i < requests.size(); ++i) {
            if (requests[i] == "GetDeviceList" && results[i] == "ERROR_DRV_FCP_NEGATIVE_RESPONSE")
                return true;
        }
        return false;
    };
    EXPECT_TRUE(panel.PumpUntil(failedListShown));

    // Removed from the list, the fault is gone from the driver.
    ::SendMessageA(faults, LB_SETCURSEL, 0, 0);
    Ui::Click(Control(IDC_SIM_REMOVE_FAULT));
    EXPECT_EQ(::SendMessageA(faults, LB_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(panel.sim.Faults().empty());

    Ui::Click(Control(IDC_SIM_CLEAR_TRACE));
    EXPECT_EQ(::SendMessageA(trace, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(SimBusWindow, ATypedStatementThatIsRefusedSaysWhyAndChangesNothing)
{
    Ui::Type(Control(IDC_SIM_STATEMENT), "unplug 7");
    Ui::Click(Control(IDC_SIM_SEND));
    EXPECT_EQ(WindowText(Control(IDC_SIM_ANSWER)),
              "Refused: \"7\" not understood, expected a device number from 1 to 3");
    panel.Pump();
    EXPECT_EQ(PanelRows(), 3);
    EXPECT_EQ(panel.sim.Bus().devices.size(), 3u);

    Ui::Type(Control(IDC_SIM_STATEMENT), "unplug 3");
    Ui::Click(Control(IDC_SIM_SEND));
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 2; }));
}

TEST_F(SimBusWindow, StatsCountsTheProcesssHandlesAndGdiObjects)
{
    const auto figures = [&] {
        Ui::Type(Control(IDC_SIM_STATEMENT), "stats");
        Ui::Click(Control(IDC_SIM_SEND));
        unsigned long handles = 0, gdi = 0, user = 0;
        unsigned long long privateBytes = 0;
        const std::string answer = WindowText(Control(IDC_SIM_ANSWER));
        EXPECT_EQ(std::sscanf(answer.c_str(), "handles %lu gdi %lu user %lu private-bytes %llu", &handles, &gdi,
                              &user, &privateBytes),
                  4)
            << answer;
        EXPECT_GT(user, 0u);
        EXPECT_GT(privateBytes, 0u);
        return std::pair{handles, gdi};
    };
    const auto before = figures();
    HANDLE events[3] = {::CreateEventA(nullptr, FALSE, FALSE, nullptr), ::CreateEventA(nullptr, FALSE, FALSE, nullptr),
                        ::CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    HBRUSH brushes[2] = {::CreateSolidBrush(RGB(1, 2, 3)), ::CreateSolidBrush(RGB(4, 5, 6))};
    const auto after = figures();
    EXPECT_EQ(after.first, before.first + 3);
    EXPECT_EQ(after.second, before.second + 2);
    for (HANDLE event : events)
        ::CloseHandle(event);
    for (HBRUSH brush : brushes)
        ::DeleteObject(brush);
}

// The columns fill their list as the template lays it out, at the prefix's DPI: the
// suite runs this at 96 DPI, and at 144 DPI through tests/AtDpi.sh, which names the DPI
// it set in OVX_EXPECT_DPI.
TEST_F(SimBusWindow, ColumnsFillTheirListsAtTheSystemsDpi)
{
    const UINT dpi = WindowDpi(window->m_hWnd);
    if (const char* expected = std::getenv("OVX_EXPECT_DPI")) {
        ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(expected)));
    }
    const struct {
        int id;
        int templateWidth;   // dialog units, as SimBusWindow.rc gives them
    } lists[] = {{IDC_SIM_DEVICES, 364}, {IDC_SIM_TRACE, 310}};
    for (const auto& list : lists) {
        RECT width{0, 0, list.templateWidth, 0};
        ::MapDialogRect(window->m_hWnd, &width);
        HWND control = Control(list.id);
        const int columns = static_cast<int>(
            ::SendMessageA(reinterpret_cast<HWND>(::SendMessageA(control, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
        int total = 0;
        std::printf("list %d at %u DPI, %ld pixels wide, columns:", list.id, dpi, width.right);
        for (int column = 0; column < columns; ++column) {
            const int pixels = static_cast<int>(::SendMessageA(control, LVM_GETCOLUMNWIDTH, column, 0));
            std::printf(" %d", pixels);
            total += pixels;
        }
        std::printf("\n");
        // Within the list's border, and not far short of it.
        EXPECT_LE(total, width.right) << list.id;
        EXPECT_GE(total, width.right * 9 / 10) << list.id;
    }
}

TEST_F(SimBusWindow, EveryControlReadsANameAndTheKeyboardReachesAll)
{
    EXPECT_EQ(Reader::Unnamed(window->m_hWnd), std::vector<std::string>{});
    EXPECT_EQ(Reader::Name(Control(IDC_SIM_DEVICES)), "Devices");
    EXPECT_EQ(Reader::Name(Control(IDC_SIM_TRACE)), "Request trace");
    EXPECT_EQ(Reader::Name(Control(IDC_SIM_PLUG_CODE)), "Value:");

    // Tab from the statement box goes through every enabled control and comes back.
    const auto press = [](BYTE key, BYTE modifier = 0) {
        if (modifier)
            ::keybd_event(modifier, 0, 0, 0);
        ::keybd_event(key, 0, 0, 0);
        ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
        if (modifier)
            ::keybd_event(modifier, 0, KEYEVENTF_KEYUP, 0);
    };
    const auto focused = [] {
        GUITHREADINFO info{sizeof info};
        ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
        return info.hwndFocus;
    };
    ::SetForegroundWindow(window->m_hWnd);
    HWND statement = Control(IDC_SIM_STATEMENT);
    ::SetFocus(statement);
    std::set<HWND> visited;
    for (int i = 0; i < 60 && (i == 0 || focused() != statement); ++i) {
        press(VK_TAB);
        panel.Pump();
        // A combo box that can be typed in has the focus in its edit field.
        HWND at = focused();
        visited.insert(::GetDlgCtrlID(at) == 1001 ? ::GetParent(at) : at);
    }
    EXPECT_EQ(focused(), statement);
    for (HWND c = ::GetWindow(window->m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongA(c, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && ::IsWindowEnabled(c)) {
            EXPECT_EQ(visited.count(c), 1u) << ::GetDlgCtrlID(c);
        }
    }

    // A device chosen with the arrow keys and unplugged by its mnemonic.
    ::SetFocus(Control(IDC_SIM_DEVICES));
    Ui::SelectRow(Control(IDC_SIM_DEVICES), 0);
    press(VK_DOWN);
    press('U', VK_MENU);
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 2; }));
    EXPECT_EQ(Ui::Cell(Control(IDC_SIM_DEVICES), 1, 1), "unplugged");
    // A statement typed and sent with Enter.
    ::SetFocus(statement);
    Ui::Type(statement, "plug 2");
    press(VK_RETURN);
    EXPECT_TRUE(panel.PumpUntil([&] { return PanelRows() == 3; }));
}
