// Every read request of the driver failing or misbehaving in each way a buggy, old or
// half-unloaded driver does, with the whole panel as its own process: it starts,
// every page answers when its tree item is selected, and "-exit" ends it with code 0.
// A short answer is a failed read: the pages show what they show when the read fails.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "tests/harness/PanelProcess.h"
#include "tests/harness/RemoteBuffer.h"

namespace {

enum class Fault { DriverCode, SystemError, Late, Unterminated, CountsBeyondRoom, ShortAnswer };

struct Cell {
    std::string request;
    Fault fault;
};

// The scenario statement that makes the request misbehave every time it is asked.
std::string Statement(const Cell& cell)
{
    switch (cell.fault) {
    case Fault::DriverCode: return "fail " + cell.request + " 0xE0000022 always";
    case Fault::SystemError: return "fail " + cell.request + " 31 always";   // ERROR_GEN_FAILURE
    case Fault::Late: return "delay " + cell.request + " 300";
    case Fault::Unterminated: return "malform " + cell.request + " unterminated";
    case Fault::CountsBeyondRoom: return "malform " + cell.request + " counts";
    case Fault::ShortAnswer: return "malform " + cell.request + " short";
    }
    return {};
}

// What a cell's bus holds besides the default studio, so that a value shown can only
// have come from a read that succeeded.
std::string Distinguishing(const Cell& cell)
{
    if (cell.fault != Fault::ShortAnswer)
        return {};
    if (cell.request == "GetAsioNameOption")
        return "asio-name-option 1\n";
    if (cell.request == "GetRateMode")
        return "rate-mode 1\n";
    if (cell.request == "GetAsioStatistics")
        return "dropouts 7\n";
    return {};
}

// The requests the panel makes only on the buffer settings page's timer.
bool AskedByTheTimer(const std::string& request)
{
    return request == "GetAsioStatistics";
}

// Every read request of the catalogue. The notifier's GetNextEvent is asked only after
// an event, which no process outside the panel can raise; the in-process suite covers it.
std::vector<Cell> Matrix()
{
    std::vector<Cell> cells;
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue()) {
        const std::string name = request.name;
        if (name.rfind("Get", 0) != 0 || name == "GetNextEvent")
            continue;
        for (Fault fault : {Fault::DriverCode, Fault::SystemError, Fault::Late, Fault::Unterminated,
                            Fault::CountsBeyondRoom, Fault::ShortAnswer}) {
            // A late answer matters where the user waits for it: at start-up.
            if (fault == Fault::Late && AskedByTheTimer(name))
                continue;
            cells.push_back({name, fault});
        }
    }
    return cells;
}

std::string CellName(const testing::TestParamInfo<Cell>& info)
{
    static const char* const kFaultNames[] = {"DriverCode", "SystemError", "Late",
                                              "Unterminated", "CountsBeyondRoom", "ShortAnswer"};
    return info.param.request + "_" + kFaultNames[static_cast<int>(info.param.fault)];
}

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = "";
    ::GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The panel's page tree: every item is at the root.
std::vector<HTREEITEM> TreeItems(HWND tree)
{
    std::vector<HTREEITEM> items;
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        items.push_back(item);
    return items;
}

int VisiblePages(HWND view)
{
    int shown = 0;
    for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        ::GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "#32770" && (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            ++shown;
    }
    return shown;
}

// The panel still takes messages: it answers one within the time a user would wait.
bool Answers(HWND window)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// The controls of this id on every page of the view: the two channel pages share theirs.
std::vector<HWND> PageControls(HWND view, int id)
{
    std::vector<HWND> controls;
    for (HWND page = ::GetWindow(view, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
        if (HWND control = ::GetDlgItem(page, id))
            controls.push_back(control);
    }
    return controls;
}

HWND PageControl(HWND view, int id)
{
    const std::vector<HWND> controls = PageControls(view, id);
    return controls.size() == 1 ? controls.front() : nullptr;
}

int Rows(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string Caption(HWND control)
{
    char text[256] = "";
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}

// The panel's windows that show what the reads found.
struct PanelWindows {
    HWND view;
    HWND statusBar;
    std::vector<HWND> channelLists;
};

// The lists when a read that fills them fails, on the default studio: three devices,
// 28 channels each way. False for a request that fills no list.
bool ExpectTheListsOfAFailedRead(const std::string& request, const PanelWindows& panel, CRemoteBuffer& remote)
{
    const auto expectRows = [&](int devices, int channels, int syncRows) {
        EXPECT_EQ(Rows(PageControl(panel.view, IDC_DEVICE_LIST)), devices);
        for (HWND list : panel.channelLists)
            EXPECT_EQ(Rows(list), channels);
        EXPECT_EQ(Rows(PageControl(panel.view, IDC_SYNC_LIST)), syncRows);
    };
    const auto expectNoDevices = [&] {
        EXPECT_EQ(remote.PaneText(panel.statusBar, 1), "0 Device(s) connected.");
        EXPECT_EQ(remote.PaneText(panel.statusBar, 3), "no streams available");
        EXPECT_EQ(::SendMessageA(PageControl(panel.view, IDC_SAMPLE_RATE_COMBO), CB_GETCOUNT, 0, 0), 0);
    };
    if (request == "GetDriverVersion") {   // no connection at all
        expectRows(0, 0, 0);
        expectNoDevices();
        EXPECT_FALSE(::IsWindowEnabled(PageControl(panel.view, IDC_ASIO_DEPTH_SLIDER)));
    } else if (request == "GetDeviceList") {
        expectRows(0, 28, 0);
        expectNoDevices();
    } else if (request == "GetDeviceProperties") {
        expectRows(0, 0, 0);
        expectNoDevices();
    } else if (request == "GetChannelLists" || request == "GetChannelProperties") {
        expectRows(3, 0, 4);
    } else if (request == "GetDeviceSyncMode") {
        expectRows(3, 28, 0);
        EXPECT_FALSE(::IsWindowEnabled(PageControl(panel.view, IDC_CHANGE_SYNC_MODE)));
    } else if (request == "GetStreamInfo") {
        HWND streams = PageControl(panel.view, IDC_STREAM_LIST);
        EXPECT_EQ(Rows(streams), 3);
        for (int row = 0; row < Rows(streams); ++row) {
            for (int plug = 1; plug <= 4; ++plug)
                EXPECT_EQ(remote.ListText(streams, row, plug), "") << "row " << row << " plug " << plug;
        }
    } else {
        return false;
    }
    return true;
}

// The settings' controls when the read of one setting fails.
void ExpectTheSettingOfAFailedRead(const std::string& request, const PanelWindows& panel, CRemoteBuffer& remote)
{
    const auto control = [&](int id) { return PageControl(panel.view, id); };
    const auto expectUnreadDepth = [&](int slider, int label, int apply) {
        EXPECT_FALSE(::IsWindowEnabled(control(slider)));
        EXPECT_EQ(Caption(control(label)), "");
        EXPECT_FALSE(::IsWindowEnabled(control(apply)));
    };
    if (request == "GetAsioNameOption") {
        for (HWND list : panel.channelLists)
            EXPECT_EQ(::SendMessageA(::GetDlgItem(::GetParent(list), IDC_INCLUDE_DEVICE_NAME), BM_GETCHECK, 0, 0),
                      BST_UNCHECKED);
    } else if (request == "GetClockSource") {
        EXPECT_EQ(remote.ListText(control(IDC_SYNC_LIST), 0, 2), "");
    } else if (request == "GetRateMode") {
        EXPECT_EQ(::SendMessageA(control(IDC_RATE_AUTOMATIC), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(::SendMessageA(control(IDC_RATE_MANUAL), BM_GETCHECK, 0, 0), BST_CHECKED);
    } else if (request == "GetSampleRates") {
        EXPECT_EQ(::SendMessageA(control(IDC_SAMPLE_RATE_COMBO), CB_GETCOUNT, 0, 0), 0);
        EXPECT_FALSE(::IsWindowEnabled(control(IDC_SAMPLE_RATE_COMBO)));
        EXPECT_EQ(remote.PaneText(panel.statusBar, 2), "Current sampling rate: unknown");
    } else if (request == "GetStreamBufferDepth") {
        expectUnreadDepth(IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_DEPTH_LABEL, IDC_STREAM_APPLY);
    } else if (request == "GetAsioBufferDepth") {
        expectUnreadDepth(IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_DEPTH_LABEL, IDC_ASIO_APPLY);
    } else if (request == "GetWdmBufferDepth") {
        expectUnreadDepth(IDC_WDM_DEPTH_SLIDER, IDC_WDM_DEPTH_LABEL, IDC_WDM_APPLY);
    } else if (request == "GetAsioStatistics") {
        EXPECT_EQ(Caption(control(IDC_DROPOUT_COUNT)), "");
    } else {
        ADD_FAILURE() << "no failed-read state known for " << request;
    }
}

// What the pages show when the cell's read fails.
void ExpectTheFailedReadsState(const std::string& request, HWND frame)
{
    SCOPED_TRACE("the state of a failed " + request);
    HWND view = ::GetDlgItem(frame, AFX_IDW_PANE_FIRST);
    const PanelWindows panel{view, ::GetDlgItem(frame, AFX_IDW_STATUS_BAR), PageControls(view, IDC_CHANNEL_LIST)};
    ASSERT_EQ(panel.channelLists.size(), 2u);
    CRemoteBuffer remote(frame);
    if (!ExpectTheListsOfAFailedRead(request, panel, remote))
        ExpectTheSettingOfAFailedRead(request, panel, remote);
}

class FaultMatrix : public testing::TestWithParam<Cell> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; }));
        std::remove(m_tracePath.c_str());
        // A late answer comes once per device or channel on every refresh: one small
        // device keeps those cells short.
        const char* bus = GetParam().fault == Fault::Late ? "bus empty\ndevice \"Desk\" \"SN-1\" 2 2\n" : "bus default\n";
        std::ofstream(m_scenarioPath) << bus << Distinguishing(GetParam()) << Statement(GetParam()) << "\n";
        ::SetEnvironmentVariableA("OVX_SIM_SCENARIO", m_scenarioPath.c_str());
        ::SetEnvironmentVariableA("OVX_SIM_TRACE", m_tracePath.c_str());
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA("OVX_SIM_SCENARIO", nullptr);
        ::SetEnvironmentVariableA("OVX_SIM_TRACE", nullptr);
        std::remove(m_scenarioPath.c_str());
        std::remove(m_tracePath.c_str());
    }
    bool Asked(const std::string& request, size_t times = 1) const
    {
        const std::string trace = ReadFile(m_tracePath);
        size_t found = 0;
        for (size_t at = trace.find(request + " "); at != std::string::npos; at = trace.find(request + " ", at + 1))
            ++found;
        return found >= times;
    }

    const std::string m_scenarioPath = TempPath("ovx-fault-matrix-scenario.txt");
    const std::string m_tracePath = TempPath("ovx-fault-matrix-trace.txt");
};

}  // namespace

TEST_P(FaultMatrix, ThePanelStartsEveryPageAnswersAndExitEndsIt)
{
    const Cell& cell = GetParam();
    CPanelProcess panelProcess("");
    ASSERT_TRUE(panelProcess.Started());
    HWND panel = nullptr;
    HWND tree = nullptr;
    ASSERT_TRUE(Eventually([&] {
        panel = RunningPanel();
        tree = panel ? ::GetDlgItem(::GetDlgItem(panel, AFX_IDW_PANE_FIRST), IDC_PAGE_TREE) : nullptr;
        return tree && ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 5 && ::IsWindowVisible(panel);
    }, 30000)) << "the panel did not come up";
    HWND view = ::GetDlgItem(panel, AFX_IDW_PANE_FIRST);

    const std::vector<HTREEITEM> items = TreeItems(tree);
    ASSERT_EQ(items.size(), 5u);
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE("tree item " + std::to_string(i));
        DWORD_PTR result = 0;
        // The selection reaches the view, which shows the item's page, inside this call.
        ASSERT_NE(::SendMessageTimeoutA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[i]),
                                        SMTO_ABORTIFHUNG, 10000, &result),
                  0);
        EXPECT_TRUE(Answers(panel));
        EXPECT_EQ(reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)), items[i]);
        EXPECT_GE(VisiblePages(view), 1);
    }
    // The drop-out count is read while the buffer settings page (the last item) is shown.
    if (AskedByTheTimer(cell.request)) {
        EXPECT_TRUE(Eventually([&] { return Asked(cell.request); }, 5000));
    }
    EXPECT_TRUE(Asked(cell.request)) << "the cell's request was never made";
    EXPECT_TRUE(Answers(panel));
    if (cell.fault == Fault::ShortAnswer) {
        // The timer's second read comes only after the first one's answer was shown.
        if (AskedByTheTimer(cell.request)) {
            EXPECT_TRUE(Eventually([&] { return Asked(cell.request, 2); }, 5000));
        }
        ExpectTheFailedReadsState(cell.request, panel);
    }

    CPanelProcess exitRequest("-exit");
    EXPECT_EQ(exitRequest.ExitCode(5000), 0);
    EXPECT_EQ(panelProcess.ExitCode(5000), 0);
}

INSTANTIATE_TEST_SUITE_P(ReadRequests, FaultMatrix, testing::ValuesIn(Matrix()), CellName);
