// Ten starts of the panel at the same moment, as a double click repeated in haste or
// a login script does: exactly one panel comes up, the other nine end with code 0.
#include <gtest/gtest.h>

#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "tests/harness/PanelProcess.h"

namespace {

constexpr int kStarts = 10;
constexpr int kRounds = 20;

BOOL CALLBACK CountPanel(HWND window, LPARAM count)
{
    char caption[128] = "";
    ::GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption) == kPanelCaption)
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int PanelWindows()
{
    int count = 0;
    ::EnumWindows(CountPanel, reinterpret_cast<LPARAM>(&count));
    return count;
}

class SimultaneousStarts : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ASSERT_TRUE(Eventually([] { return RunningPanel() == nullptr; })); }
};

}  // namespace

TEST_P(SimultaneousStarts, GiveOnePanelAndNineEndsWithCodeZero)
{
    std::vector<std::unique_ptr<CPanelProcess>> starts;
    for (int i = 0; i < kStarts; ++i)
        starts.push_back(std::make_unique<CPanelProcess>("-hide"));
    for (const auto& start : starts)
        ASSERT_TRUE(start->Started());

    // The first of them keeps running; every other one forwards or gives up, and ends.
    std::vector<size_t> running;
    ASSERT_TRUE(Eventually([&] {
        running.clear();
        for (size_t i = 0; i < starts.size(); ++i)
            if (starts[i]->ExitCode(0) == -1)
                running.push_back(i);
        return running.size() <= 1 && RunningPanel() != nullptr;
    })) << running.size() << " still running";
    ASSERT_EQ(running.size(), 1u);
    for (size_t i = 0; i < starts.size(); ++i) {
        if (i != running[0]) {
            EXPECT_EQ(starts[i]->ExitCode(0), 0) << "start " << i;
        }
    }
    EXPECT_EQ(PanelWindows(), 1);

    CPanelProcess exitRequest("-exit");
    EXPECT_EQ(exitRequest.ExitCode(), 0);
    EXPECT_EQ(starts[running[0]]->ExitCode(), 0);
    EXPECT_EQ(PanelWindows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rounds, SimultaneousStarts, testing::Range(0, kRounds));
