// Start-up outcomes with real processes: the panel on the simulated driver started
// once, and started again with each option.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/OVX_CPL.h"
#include "res/resource.h"
#include "tests/harness/PanelProcess.h"

namespace {

// Whether exactly one page of the panel's view is shown (in a frame that itself may be
// hidden) and it has a control of this id.
bool ShownPageHas(HWND panel, int controlId)
{
    HWND view = ::GetDlgItem(panel, AFX_IDW_PANE_FIRST);
    int shown = 0;
    bool found = false;
    for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        ::GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "#32770" && (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE)) {
            ++shown;
            found = ::GetDlgItem(child, controlId) != nullptr;
        }
    }
    return shown == 1 && found;
}

// Starts a panel and waits until its first initial update is done: the tree has its
// selected item and one page is shown.
HWND StartPanel(CPanelProcess& process)
{
    HWND panel = nullptr;
    const auto ready = [&] {
        panel = RunningPanel();
        HWND tree = panel ? ::GetDlgItem(::GetDlgItem(panel, AFX_IDW_PANE_FIRST), IDC_PAGE_TREE) : nullptr;
        return tree && TreeView_GetSelection(tree) &&
               (ShownPageHas(panel, IDC_DEVICE_LIST) || ShownPageHas(panel, IDC_ASIO_DEPTH_SLIDER));
    };
    return process.Started() && Eventually(ready) ? panel : nullptr;
}

class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        // A panel of an earlier test must be gone first.
        ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; }));
    }
};

}  // namespace

TEST_F(Startup, ASecondStartShowsAHiddenPanelAndEndsWithCodeZero)
{
    CPanelProcess first("-hide");
    HWND panel = StartPanel(first);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(::IsWindowVisible(panel));

    CPanelProcess second("");
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(panel) != FALSE; }));
    EXPECT_TRUE(ShownPageHas(panel, IDC_DEVICE_LIST));
    EXPECT_EQ(first.ExitCode(0), -1);   // still running
}

TEST_F(Startup, ASecondStartRestoresAMinimisedPanel)
{
    CPanelProcess first("");
    HWND panel = StartPanel(first);
    ASSERT_NE(panel, nullptr);
    ::ShowWindow(panel, SW_MINIMIZE);
    ASSERT_TRUE(Eventually([&] { return ::IsIconic(panel) != FALSE; }));

    CPanelProcess second("");
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(Eventually([&] { return !::IsIconic(panel) && ::IsWindowVisible(panel); }));
}

TEST_F(Startup, ASecondStartWithAsioSelectsTheSettingsPage)
{
    CPanelProcess first("");
    HWND panel = StartPanel(first);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(ShownPageHas(panel, IDC_DEVICE_LIST));

    CPanelProcess second("-asio");
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(Eventually([&] { return ShownPageHas(panel, IDC_ASIO_DEPTH_SLIDER); }));
}

TEST_F(Startup, ExitEndsTheRunningPanelWithCodeZero)
{
    CPanelProcess first("-hide");
    ASSERT_NE(StartPanel(first), nullptr);

    CPanelProcess second("-exit");
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_EQ(first.ExitCode(), 0);
    EXPECT_EQ(RunningPanel(), nullptr);
}

TEST_F(Startup, ExitWithNoPanelRunningDoesNothing)
{
    CPanelProcess lone("-exit");
    EXPECT_EQ(lone.ExitCode(), 0);
    EXPECT_EQ(RunningPanel(), nullptr);
    // It did not take the single-instance mutex either.
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, COVX_CPLApp::kInstanceMutexName);
    EXPECT_EQ(mutex, nullptr);
    if (mutex)
        ::CloseHandle(mutex);
}

TEST_F(Startup, UnknownTokensActLikeNone)
{
    CPanelProcess first("-verbose /asio -exits \"-hide\"");
    HWND panel = StartPanel(first);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(Eventually([&] { return ::IsWindowVisible(panel) != FALSE; }));
    EXPECT_TRUE(ShownPageHas(panel, IDC_DEVICE_LIST));

    // File Quit ends it as the user would, with code 0.
    ::PostMessageA(panel, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(first.ExitCode(), 0);
}

TEST_F(Startup, TheSimulatedDriverFollowsItsScenarioAndWritesItsTrace)
{
    char dir[MAX_PATH] = "";
    ::GetTempPathA(sizeof dir, dir);
    const std::string scenarioPath = std::string(dir) + "ovx-startup-scenario.txt";
    const std::string tracePath = std::string(dir) + "ovx-startup-trace.txt";
    std::remove(tracePath.c_str());
    {
        std::ofstream scenario(scenarioPath);
        scenario << "# one device whose channel lists the driver refuses\n"
                    "bus empty\n"
                    "device \"Scenario Desk\" \"SD-1\" 2 2\n"
                    "fail GetChannelLists 0xE0000001 always\n";
    }
    ::SetEnvironmentVariableA("OVX_SIM_SCENARIO", scenarioPath.c_str());
    ::SetEnvironmentVariableA("OVX_SIM_TRACE", tracePath.c_str());
    {
        CPanelProcess first("-hide");
        ASSERT_NE(StartPanel(first), nullptr);
        CPanelProcess second("-exit");
        EXPECT_EQ(first.ExitCode(), 0);
    }
    ::SetEnvironmentVariableA("OVX_SIM_SCENARIO", nullptr);
    ::SetEnvironmentVariableA("OVX_SIM_TRACE", nullptr);

    std::ifstream trace(tracePath);
    std::stringstream text;
    text << trace.rdbuf();
    const std::string lines = text.str();
    EXPECT_NE(lines.find("GetDriverVersion - 0x00000000\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("GetChannelLists - 0xE0000001\n"), std::string::npos) << lines;
    // The device the scenario describes is the one the panel asked about.
    EXPECT_NE(lines.find("GetDeviceProperties 00b2a100"), std::string::npos) << lines;
    std::remove(scenarioPath.c_str());
    std::remove(tracePath.c_str());
}
