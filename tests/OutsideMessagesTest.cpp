// What other programs may send or show the running panel: a window of theirs with the
// panel's title, WM_DEVICECHANGE with a number for lParam, the end of the session. The
// panel runs as a process of its own, as it does beside them on a desktop, except where
// the sender's message must reach it unchanged.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>
#include <vector>

#include "app/AppMessages.h"
#include "app/MainFrm.h"
#include "res/resource.h"
#include "tests/harness/PanelHarness.h"
#include "tests/harness/PanelProcess.h"
#include "ui/Dialog.h"
#include "ui/FrameworkIds.h"

namespace {

// The panel itself: its class and its title.
HWND RealPanel()
{
    return ::FindWindowA(CMainFrame::kWindowClass, kPanelCaption);
}

HWND StartedPanel(const CPanelProcess& process)
{
    HWND panel = nullptr;
    const auto ready = [&] {
        panel = RealPanel();
        HWND tree = panel ? ::GetDlgItem(::GetDlgItem(panel, AFX_IDW_PANE_FIRST), IDC_PAGE_TREE) : nullptr;
        return tree && ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 5;
    };
    return process.Started() && Eventually(ready) ? panel : nullptr;
}

// A top-level window of another program's class that happens to carry the panel's
// title, as an Explorer window opened on the install folder does. It records the
// messages a later start of the panel would send the running panel.
class CTitleTwin {
public:
    CTitleTwin()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &CTitleTwin::Procedure;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OvxTestTitleTwin";
        ::RegisterClassA(&windowClass);
        m_hWnd = ::CreateWindowExA(0, windowClass.lpszClassName, kPanelCaption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                   nullptr, nullptr, windowClass.hInstance, nullptr);
        s_received.clear();
        // Shown without activation, it is above the panel in the z-order: the first of
        // the two windows a search by title alone meets.
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    }
    ~CTitleTwin() { ::DestroyWindow(m_hWnd); }
    CTitleTwin(const CTitleTwin&) = delete;
    CTitleTwin& operator=(const CTitleTwin&) = delete;

    // What reached it from other processes, once the posted messages are taken in.
    std::vector<UINT> Received() const
    {
        MSG msg;
        while (::PeekMessageA(&msg, m_hWnd, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        return s_received;
    }
    HWND Handle() const { return m_hWnd; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COMMAND || message == WM_APP_SHOW_SETTINGS)
            s_received.push_back(message);
        return ::DefWindowProcA(window, message, wParam, lParam);
    }

    static inline std::vector<UINT> s_received;
    HWND m_hWnd = nullptr;
};

class OutsideMessages : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; })); }
};

bool HasTrayIcon(HWND frame)
{
    NOTIFYICONDATAA probe{};
    probe.cbSize = NOTIFYICONDATAA_V2_SIZE;
    probe.hWnd = frame;
    probe.uID = CMainFrame::TRAY_ICON_ID;
    // Changing nothing of an icon succeeds only while the icon is there.
    return ::Shell_NotifyIconA(NIM_MODIFY, &probe) != FALSE;
}

}  // namespace

TEST_F(OutsideMessages, AWindowOfAnotherClassWithThePanelsTitleIsLeftAlone)
{
    CTitleTwin twin;
    CPanelProcess exitWithNoPanel("-exit");
    EXPECT_EQ(exitWithNoPanel.ExitCode(), 0);
    EXPECT_TRUE(twin.Received().empty()) << "-exit posted to a window that is not the panel";

    CPanelProcess first("-hide");
    HWND panel = StartedPanel(first);
    ASSERT_NE(panel, nullptr);
    ::SetWindowPos(twin.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CPanelProcess second("-asio");
    EXPECT_EQ(second.ExitCode(), 0);
    // The panel, hidden until now, was the window brought forward.
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(panel) != FALSE; }));
    CPanelProcess exitRequest("-exit");
    EXPECT_EQ(exitRequest.ExitCode(), 0);
    EXPECT_EQ(first.ExitCode(), 0);
    EXPECT_TRUE(twin.Received().empty()) << "a later start sent its request to a window that is not the panel";
    EXPECT_TRUE(::IsWindow(twin.Handle()));
}

// Any program may send the view WM_DEVICECHANGE. These events carry no record, and
// the system hands their lParam over as the number the sender chose.
TEST(DeviceEvents, WithoutARecordTheirNumberIsNeverReadAsOne)
{
    CPanelHarness panel;
    ASSERT_TRUE(panel.Start("-hide"));
    panel.sim.ClearTrace();
    // A number that is no address in this process (a small one may be: Wine maps the
    // lowest pages).
    const LPARAM kNotAnAddress = static_cast<LPARAM>(0x7FFF12340010);
    for (const WPARAM event : {DBT_DEVNODES_CHANGED, DBT_QUERYCHANGECONFIG, DBT_CONFIGCHANGED, DBT_CONFIGCHANGECANCELED})
        EXPECT_EQ(::SendMessageA(panel.View()->m_hWnd, WM_DEVICECHANGE, event, kNotAnAddress), TRUE) << "event " << event;
    EXPECT_TRUE(panel.sim.Trace().empty()) << "a device event without a record made the panel ask the driver";
    EXPECT_EQ(panel.Quit(), 0);
}

TEST_F(OutsideMessages, TheEndOfTheSessionEndsThePanelAsQuitDoes)
{
    // Logoff, and the Restart Manager closing the panel for an install.
    for (const LPARAM reason : {LPARAM{ENDSESSION_LOGOFF}, LPARAM{ENDSESSION_CLOSEAPP}}) {
        SCOPED_TRACE(reason == ENDSESSION_LOGOFF ? "logoff" : "close for an install");
        CPanelProcess process("-hide");
        HWND panel = StartedPanel(process);
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(HasTrayIcon(panel));
        DWORD_PTR mayEnd = 0;
        ASSERT_NE(::SendMessageTimeoutA(panel, WM_QUERYENDSESSION, 0, reason, SMTO_ABORTIFHUNG, 5000, &mayEnd), 0);
        EXPECT_EQ(mayEnd, TRUE);
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(panel, WM_ENDSESSION, TRUE, reason, SMTO_ABORTIFHUNG, 15000, &result);
        EXPECT_EQ(process.ExitCode(5000), 0);
        EXPECT_FALSE(HasTrayIcon(panel));
    }
}

// Windows of other classes in the process keep what they like in their user data; only
// a window whose procedure is the framework's own holds one of its objects there.
TEST(FrameworkWindows, OnlyWindowsWithTheFrameworksProceduresHaveAnObject)
{
    HWND control = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    ::SetWindowLongPtrA(control, GWLP_USERDATA, 0x10);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
    ::DestroyWindow(control);

    // A dialog of the system's own procedure (a message box's kind) with junk user data.
    struct {
        DLGTEMPLATE dialog{WS_POPUP, 0, 0, 0, 0, 50, 20};
        WORD menu = 0, windowClass = 0, title = 0;
    } bare;
    HWND foreignDialog = ::CreateDialogIndirectParamA(nullptr, &bare.dialog, nullptr,
                                                      [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(foreignDialog, nullptr);
    ::SetWindowLongPtrA(foreignDialog, GWLP_USERDATA, 0x10);
    CDialog ours(IDD_ABOUTBOX);   // a dialog object of the framework exists in the process
    EXPECT_EQ(CWnd::FromHandlePermanent(foreignDialog), nullptr);
    ::DestroyWindow(foreignDialog);

    ASSERT_TRUE(ours.Create(IDD_ABOUTBOX, nullptr));
    EXPECT_EQ(CWnd::FromHandlePermanent(ours.m_hWnd), &ours);
}
