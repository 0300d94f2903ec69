// What a screen reader and a keyboard user meet: every control of every page and
// dialog has a name read through oleacc, and everything is reached and worked with
// real key strokes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <functional>
#include <set>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"
#include "tests/harness/ReaderNames.h"

namespace {

// One key stroke through the system's input, as a keyboard makes it.
void Press(BYTE key, bool shift = false)
{
    if (shift)
        ::keybd_event(VK_SHIFT, 0, 0, 0);
    ::keybd_event(key, 0, 0, 0);
    ::keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    if (shift)
        ::keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

// The names of the controls of a modal dialog that the panel opens with open().
std::vector<std::string> UnnamedInDialog(CPanelHarness& panel, const std::function<void()>& open)
{
    std::vector<std::string> unnamed{"no dialog"};
    AnswerNextDialog([&](HWND dialog) {
        unnamed = Reader::Unnamed(dialog);
        ::EndDialog(dialog, IDCANCEL);
    });
    open();
    panel.Pump();
    return unnamed;
}

class Keyboard : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(panel.Start());
        ::SetForegroundWindow(panel.FrameWindow());
        tree = panel.View()->TreeWindow();
    }
    HWND Focused() const
    {
        GUITHREADINFO info{sizeof info};
        ::GetGUIThreadInfo(::GetCurrentThreadId(), &info);
        return info.hwndFocus;
    }
    // The controls Tab (or Shift+Tab) visits from the tree until it is back there.
    std::vector<HWND> TabCycle(bool backwards)
    {
        ::SetFocus(tree);
        std::vector<HWND> visited;
        for (int i = 0; i < 30; ++i) {
            Press(VK_TAB, backwards);
            panel.Pump();
            if (Focused() == tree)
                return visited;
            visited.push_back(Focused());
        }
        ADD_FAILURE() << "Tab did not come back to the tree";
        return visited;
    }
    void Select(const char* page)
    {
        TreeView_SelectItem(tree, panel.TreeItem(page));
        panel.Pump();
    }

    CPanelHarness panel;
    HWND tree = nullptr;
};

}  // namespace

TEST(Accessibility, EveryControlOfEveryPageAndDialogReadsAName)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start());
    COVX_CPLView* view = panel.View();
    EXPECT_EQ(Reader::Name(view->TreeWindow()), "Pages");
    const struct {
        uint32_t kind;
        int list;
        const char* name;
    } pages[] = {{PAGE_DEVICES, IDC_DEVICE_LIST, "Connected devices"},
                 {PAGE_INPUT_CHANNELS, IDC_CHANNEL_LIST, "Input channels"},
                 {PAGE_OUTPUT_CHANNELS, IDC_CHANNEL_LIST, "Output channels"},
                 {PAGE_SYNCHRONISATION, IDC_SYNC_LIST, "Clock master and device synchronisation"},
                 {PAGE_STREAMS, IDC_STREAM_LIST, "Plugs of each device"},
                 {PAGE_SETTINGS, IDC_ASIO_DEPTH_SLIDER, "ASIO buffer depth:"}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        HWND window = view->PageOf(page.kind)->m_hWnd;
        EXPECT_EQ(Reader::Name(::GetDlgItem(window, page.list)), page.name);
        EXPECT_EQ(Reader::Unnamed(window), std::vector<std::string>{});
    }
    HWND sync = view->PageOf(PAGE_SYNCHRONISATION)->m_hWnd;
    EXPECT_EQ(Reader::Name(::GetDlgItem(sync, IDC_SAMPLE_RATE_COMBO)), "Sampling rate:");

    EXPECT_EQ(UnnamedInDialog(panel, [&] { panel.SendCommand(ID_APP_ABOUT); }), std::vector<std::string>{});
    EXPECT_EQ(UnnamedInDialog(panel, [&] { panel.SendCommand(ID_SAVE_SUPPORT_REPORT); }), std::vector<std::string>{});
    HWND devices = view->PageOf(PAGE_DEVICES)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(devices, IDC_DEVICE_LIST), 0);
    EXPECT_EQ(UnnamedInDialog(panel, [&] { Ui::Click(::GetDlgItem(devices, IDC_EDIT_DEVICE_NAME)); }),
              std::vector<std::string>{});
    HWND inputs = view->PageOf(PAGE_INPUT_CHANNELS)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(inputs, IDC_CHANNEL_LIST), 0);
    EXPECT_EQ(UnnamedInDialog(panel, [&] { Ui::Click(::GetDlgItem(inputs, IDC_EDIT_CHANNEL_NAME)); }),
              std::vector<std::string>{});
    Ui::SelectRow(::GetDlgItem(sync, IDC_SYNC_LIST), 1);
    std::string modeListName;
    AnswerNextDialog([&](HWND dialog) {
        modeListName = Reader::Name(::GetDlgItem(dialog, IDC_SYNC_LIST));
        EXPECT_EQ(Reader::Unnamed(dialog), std::vector<std::string>{});
        ::EndDialog(dialog, IDCANCEL);
    });
    Ui::Click(::GetDlgItem(sync, IDC_CHANGE_SYNC_MODE));
    EXPECT_EQ(modeListName, "Offered synchronisation modes");

    panel.SendCommand(ID_EVENT_HISTORY);   // modeless: it stays open
    HWND history = ::GetLastActivePopup(panel.FrameWindow());
    EXPECT_EQ(Reader::Name(::GetDlgItem(history, IDC_HISTORY_LIST)), "Events, newest first");
    EXPECT_EQ(Reader::Unnamed(history), std::vector<std::string>{});
}

TEST_F(Keyboard, TabAndShiftTabGoThroughEveryEnabledControlOfEachPageAndBackToTheTree)
{
    for (const std::string& title : CPanelHarness::TreePageTitles()) {
        SCOPED_TRACE(title);
        Select(title.c_str());
        HWND page = panel.VisiblePages().at(0);
        std::set<HWND> expected;
        for (HWND c = ::GetWindow(page, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            const LONG style = ::GetWindowLongA(c, GWL_STYLE);
            // A radio group is one stop, at its checked button.
            const bool radio = (::SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
            if ((style & WS_TABSTOP) && ::IsWindowVisible(c) && ::IsWindowEnabled(c) && !radio)
                expected.insert(c);
        }
        const std::vector<HWND> forward = TabCycle(false);
        std::vector<HWND> backward = TabCycle(true);
        for (HWND c : expected)
            EXPECT_EQ(std::count(forward.begin(), forward.end(), c), 1) << ::GetDlgCtrlID(c);
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, forward);
    }
}

TEST_F(Keyboard, ArrowKeysMoveInListsAndTrackBars)
{
    HWND devices = panel.View()->PageOf(PAGE_DEVICES)->m_hWnd;
    HWND list = ::GetDlgItem(devices, IDC_DEVICE_LIST);
    Ui::SelectRow(list, 0);
    ::SetFocus(list);
    Press(VK_DOWN);
    panel.Pump();
    EXPECT_EQ(Ui::SelectedRow(list), 1);
    EXPECT_TRUE(Ui::Enabled(::GetDlgItem(devices, IDC_DEVICE_UP)));

    Select("Settings");
    HWND settings = panel.VisiblePages().at(0);
    HWND slider = ::GetDlgItem(settings, IDC_ASIO_DEPTH_SLIDER);
    const LRESULT before = ::SendMessageA(slider, TBM_GETPOS, 0, 0);
    ::SetFocus(slider);
    Press(VK_RIGHT);
    panel.Pump();
    EXPECT_EQ(::SendMessageA(slider, TBM_GETPOS, 0, 0), before + 1);
    EXPECT_TRUE(Ui::Enabled(::GetDlgItem(settings, IDC_ASIO_APPLY)));
}

TEST_F(Keyboard, EnterAcceptsAndEscapeCancelsTheDialogs)
{
    HWND devices = panel.View()->PageOf(PAGE_DEVICES)->m_hWnd;
    Ui::SelectRow(::GetDlgItem(devices, IDC_DEVICE_LIST), 0);
    HWND edit = ::GetDlgItem(devices, IDC_EDIT_DEVICE_NAME);
    panel.sim.ClearTrace();
    AnswerNextDialog([](HWND) { Press(VK_ESCAPE); });
    ::SetFocus(edit);
    Press(VK_SPACE);   // the focused button, pressed from the keyboard
    panel.PumpUntil([&] { return DialogWasAnswered(); });
    panel.Pump();
    EXPECT_EQ(panel.sim.CountOf(OvxIoctl::SetDeviceProperties), 0u);

    AnswerNextDialog([](HWND dialog) {
        ::SetDlgItemTextA(dialog, IDC_DEVICE_NAME_EDIT, "Keyed");
        Press(VK_RETURN);
    });
    ::SetFocus(edit);
    Press(VK_SPACE);
    panel.PumpUntil([&] { return panel.sim.CountOf(OvxIoctl::SetDeviceProperties) > 0; });
    EXPECT_EQ(Ui::Cell(::GetDlgItem(devices, IDC_DEVICE_LIST), 0, 0), "Keyed");

    // The about box closes with Escape, from the Info menu opened with Alt+I, A.
    AnswerNextDialog([](HWND) { Press(VK_ESCAPE); });
    ::keybd_event(VK_MENU, 0, 0, 0);
    Press('I');
    ::keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    Press('A');
    EXPECT_TRUE(panel.PumpUntil([] { return DialogWasAnswered(); }));
}
