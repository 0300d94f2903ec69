// The simulated bus driven from outside the panel: ovxsim.exe hands statements to a
// running OVX_CPL_Sim.exe, and the panel follows the bus it changes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "res/resource.h"
#include "tests/harness/PanelProcess.h"
#include "ui/Handles.h"

namespace {

struct ClientRun {
    long exitCode = -1;
    std::string output;
};

// A program of the build tree: name is its path from the panel's folder.
std::string ProgramPath(const char* name)
{
    std::string path = SimPanelPath();
    path.resize(path.find_last_of("\\/") + 1);
    return path + name;
}

// Starts the program with these arguments, what it prints going to output (inheritable).
bool StartProgram(const char* program, const std::string& arguments, HANDLE output, PROCESS_INFORMATION& info)
{
    STARTUPINFOA startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string commandLine = "\"" + ProgramPath(program) + "\" " + arguments;
    return ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &info) != FALSE;
}

// Runs the program with these arguments and collects what it prints.
ClientRun RunProgram(const char* program, const std::string& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return {};
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION info{};
    const bool started = StartProgram(program, arguments, writeEnd, info);
    ::CloseHandle(writeEnd);
    ClientRun run;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            run.output.append(buffer, got);
        ::WaitForSingleObject(info.hProcess, 30000);
        DWORD code = 0;
        ::GetExitCodeProcess(info.hProcess, &code);
        run.exitCode = static_cast<long>(code);
        ::CloseHandle(info.hProcess);
        ::CloseHandle(info.hThread);
    }
    ::CloseHandle(readEnd);
    return run;
}

ClientRun RunClient(const std::string& arguments) { return RunProgram(OVX_SIM_CLIENT_EXE, arguments); }
ClientRun RunCtl(const std::string& arguments) { return RunProgram("..\\ctl\\" OVX_CTL_EXE, "--sim-bus " + arguments); }

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = "";
    ::GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

size_t Occurrences(const std::string& path, const std::string& word)
{
    std::ifstream file(path);
    std::string line;
    size_t count = 0;
    while (std::getline(file, line))
        count += line.find(word) != std::string::npos;
    return count;
}

// The devices page's list in the panel's view, or null before it exists.
HWND DeviceList(HWND panel)
{
    HWND view = ::GetDlgItem(panel, AFX_IDW_PANE_FIRST);
    for (HWND child = view ? ::GetWindow(view, GW_CHILD) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HWND list = ::GetDlgItem(child, IDC_DEVICE_LIST))
            return list;
    }
    return nullptr;
}

int Rows(HWND list)
{
    return list ? static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

class SimClient : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; }));
        std::remove(m_tracePath.c_str());
        ::SetEnvironmentVariableA("OVX_SIM_WINDOW", "hidden");
        ::SetEnvironmentVariableA("OVX_SIM_TRACE", m_tracePath.c_str());
        m_process = std::make_unique<CPanelProcess>("");
        ASSERT_TRUE(Eventually([&] {
            m_panel = RunningPanel();
            m_list = m_panel ? DeviceList(m_panel) : nullptr;
            return Rows(m_list) == 3;
        }, 30000)) << "the panel did not come up with the three devices of the default bus";
    }
    void TearDown() override
    {
        if (m_process) {
            CPanelProcess exitRequest("-exit");
            EXPECT_EQ(m_process->ExitCode(10000), 0);
        }
        ::SetEnvironmentVariableA("OVX_SIM_WINDOW", nullptr);
        ::SetEnvironmentVariableA("OVX_SIM_TRACE", nullptr);
        std::remove(m_tracePath.c_str());
    }

    const std::string m_tracePath = TempPath("ovx-sim-client-trace.txt");
    std::unique_ptr<CPanelProcess> m_process;
    HWND m_panel = nullptr;
    HWND m_list = nullptr;
};

}  // namespace

TEST_F(SimClient, APluggedDeviceGetsItsRowAndUnpluggingRemovesIt)
{
    const ClientRun plugged = RunClient("\"add-device \\\"Zemra Pocket 2\\\" \\\"ZP2-0001-01\\\" 2 2\"");
    EXPECT_EQ(plugged.exitCode, 0) << plugged.output;
    EXPECT_NE(plugged.output.find("device 4 \"Zemra Pocket 2\" plugged in"), std::string::npos) << plugged.output;
    EXPECT_TRUE(Eventually([&] { return Rows(m_list) == 4; }, 5000));

    const ClientRun unplugged = RunClient("\"unplug 4\"");
    EXPECT_EQ(unplugged.exitCode, 0) << unplugged.output;
    EXPECT_TRUE(Eventually([&] { return Rows(m_list) == 3; }, 5000));

    // The same device comes back under its number.
    EXPECT_EQ(RunClient("\"plug 4\"").exitCode, 0);
    EXPECT_TRUE(Eventually([&] { return Rows(m_list) == 4; }, 5000));
}

TEST_F(SimClient, ARefusedStatementEndsWithCodeOneAndChangesNothing)
{
    const std::string before = RunClient("devices").output;
    // The statements before the refused one are applied, the ones after it are not sent.
    const ClientRun run = RunClient("\"event 1\" \"unplug 9\" \"unplug 1\"");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("\"9\" not understood, expected a device number from 1 to 3"),
              std::string::npos)
        << run.output;
    EXPECT_EQ(RunClient("devices").output, before);
    EXPECT_EQ(Rows(m_list), 3);

    const ClientRun unread = RunClient("\"rate 044100x\"");
    EXPECT_EQ(unread.exitCode, 1);
    EXPECT_NE(unread.output.find("044100x"), std::string::npos) << unread.output;
    EXPECT_EQ(RunClient("devices").output, before);

    // No statement at all is a usage error.
    EXPECT_EQ(RunClient("").exitCode, 2);
}

TEST_F(SimClient, UnloadingAndLoadingTheDriverReconnectsThePanel)
{
    EXPECT_EQ(RunClient("\"driver unload\"").exitCode, 0);
    EXPECT_TRUE(Eventually([&] { return Rows(m_list) == 0; }, 5000));
    const size_t opensBefore = Occurrences(m_tracePath, "GetDriverVersion");
    EXPECT_EQ(RunClient("\"driver load\"").exitCode, 0);
    EXPECT_TRUE(Eventually([&] { return Rows(m_list) == 3; }, 5000));
    EXPECT_GT(Occurrences(m_tracePath, "GetDriverVersion"), opensBefore);
}

TEST_F(SimClient, ThreeConfigurationEventsGiveThreeFullRefreshes)
{
    // Each full refresh reads both channel lists.
    ASSERT_TRUE(Eventually([&] { return Occurrences(m_tracePath, "GetChannelLists") > 0; }, 5000));
    const size_t before = Occurrences(m_tracePath, "GetChannelLists");
    EXPECT_EQ(RunClient("\"event 3 3\"").exitCode, 0);
    EXPECT_TRUE(Eventually([&] { return Occurrences(m_tracePath, "GetChannelLists") >= before + 6; }, 5000));
    ::Sleep(300);
    EXPECT_EQ(Occurrences(m_tracePath, "GetChannelLists"), before + 6);
}

TEST_F(SimClient, OvxctlOnTheRunningBusComparesAndRestoresWhatTheBusWindowChanged)
{
    const std::string snapshot = TempPath("ovx-sim-bus-studio.json");
    std::remove(snapshot.c_str());
    const ClientRun saved = RunCtl("save \"" + snapshot + "\"");
    ASSERT_EQ(saved.exitCode, 0) << saved.output;
    // Its reads are the panel's driver's: they land in the panel's request trace.
    const size_t clockReads = Occurrences(m_tracePath, "GetClockSource");
    EXPECT_GT(clockReads, 0u);

    ASSERT_EQ(RunClient("\"clock 0 0\"").exitCode, 0);
    const ClientRun diff = RunCtl("diff \"" + snapshot + "\"");
    EXPECT_EQ(diff.exitCode, 1) << diff.output;
    EXPECT_NE(diff.output.find("clock master: "), std::string::npos) << diff.output;

    const ClientRun restored = RunCtl("restore \"" + snapshot + "\"");
    EXPECT_EQ(restored.exitCode, 0) << restored.output;
    EXPECT_EQ(Occurrences(m_tracePath, "SetClockSource"), 1u);
    EXPECT_EQ(RunCtl("diff \"" + snapshot + "\"").exitCode, 0);
    std::remove(snapshot.c_str());
}

TEST_F(SimClient, OvxctlWatchPrintsAnUnplugAsItComesAndEndsWithOneWhenTheDriverLeaves)
{
    // Its output is a file, read while it runs: each line must reach it at once.
    const std::string outputPath = TempPath("ovx-watch-output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const CKernelHandle output(::CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                             &inherit, CREATE_ALWAYS, 0, nullptr));
    const size_t streamReads = Occurrences(m_tracePath, "GetStreamInfo");
    PROCESS_INFORMATION watcher{};
    ASSERT_TRUE(StartProgram("..\\ctl\\" OVX_CTL_EXE, "--sim-bus watch", output.Get(), watcher));
    const CKernelHandle process(watcher.hProcess), thread(watcher.hThread);
    // It has read the bus once it has asked for the three devices' streams.
    ASSERT_TRUE(Eventually([&] { return Occurrences(m_tracePath, "GetStreamInfo") >= streamReads + 3; }, 10000));

    ASSERT_EQ(RunClient("\"unplug 2\"").exitCode, 0);
    EXPECT_TRUE(Eventually([&] { return Occurrences(outputPath, "\tDevice disconnected\tZemra Desk 4 (ZD4-0019-82)"); },
                           2000));
    ASSERT_EQ(RunClient("\"driver unload\"").exitCode, 0);
    DWORD exitCode = 0;
    EXPECT_EQ(::WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(::GetExitCodeProcess(process.Get(), &exitCode) && exitCode == 1) << exitCode;
    EXPECT_EQ(Occurrences(outputPath, "\tThe driver cannot be reached any more."), 1u);
    std::remove(outputPath.c_str());
}

TEST(SimClientAlone, WithNoSimulatedBusRunningItEndsWithCodeTwo)
{
    ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; }));
    const ClientRun run = RunClient("\"event 3\"");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("no simulated bus is running"), std::string::npos) << run.output;
    const ClientRun ctl = RunCtl("status");
    EXPECT_EQ(ctl.exitCode, 2);
    EXPECT_NE(ctl.output.find("no simulated bus is running"), std::string::npos) << ctl.output;
}
