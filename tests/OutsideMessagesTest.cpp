// What other programs may send the panel, and what other windows of its process keep
// where the framework keeps its objects.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include "res/resource.h"
#include "tests/harness/PanelHarness.h"
#include "ui/Dialog.h"
#include "ui/FrameworkIds.h"

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
