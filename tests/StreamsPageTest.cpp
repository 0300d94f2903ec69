// The streams page: never shown, but created and refreshed with the others, and the
// source of the streaming state in the status bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "driver/ControlCodes.h"
#include "res/resource.h"
#include "tests/harness/PanelFixture.h"

namespace {

class StreamsPage : public CPanelFixture {
protected:
    void Open(SimBus bus)
    {
        // It has no tree item: it is created and refreshed with the others but never shown.
        ASSERT_TRUE(StartPanel(std::move(bus)));
        page = panel->View()->PageOf(PAGE_STREAMS)->m_hWnd;
        list = Control(IDC_STREAM_LIST);
    }
    std::string Details() const { return WindowText(Control(IDC_STREAM_DETAILS)); }

    HWND list = nullptr;
};

SimBus Streaming(int devices)
{
    SimBus bus = EmptyBus();
    for (int i = 0; i < devices; ++i)
        AddStandardDevice(bus, "Dev " + std::to_string(i + 1), "S", 2, 2);
    bus.streaming = true;
    return bus;
}

}  // namespace

TEST_F(StreamsPage, AllAudioPlugsConnectedIsStreamingWhateverTheSynchPlugsDo)
{
    SimBus bus = Streaming(2);
    bus.devices[0].plugs[PlugSynchOut].present = false;
    bus.devices[1].plugs[PlugSynchIn].failCode = 0xE0000072;
    Open(bus);
    EXPECT_EQ(Ui::Column(list, 0), (std::vector<std::string>{"Dev 1", "Dev 2"}));
    EXPECT_EQ(Ui::Cell(list, 0, 3), "");
    EXPECT_EQ(Ui::Cell(list, 1, 4), "connect failed");
    EXPECT_EQ(panel->Pane(3), "streaming");
    EXPECT_FALSE(::IsWindowVisible(page));
}

TEST_F(StreamsPage, AFailedAudioPlugNamesItsError)
{
    SimBus bus = Streaming(1);
    bus.devices[0].plugs[PlugAudioIn].failCode = 0xE0000073;
    bus.devices[0].plugs[PlugAudioOut].fixedStreamNumber = 5;
    Open(bus);
    EXPECT_EQ(panel->Pane(3), "connect failed");
    EXPECT_EQ(Ui::Cell(list, 0, 1), "connected (5)");
    EXPECT_EQ(Ui::Cell(list, 0, 2), "connect failed");
    EXPECT_EQ(Ui::SelectedRow(list), 0);
    const std::string details = Details();
    EXPECT_NE(details.find("AudioOutPlug: successfully connected\n   Isochronous stream number: 5\n"),
              std::string::npos)
        << details;
    EXPECT_NE(details.find("AudioInPlug: connect failed (Error code 0xE0000073: Bandwidth allocation failed.)\n"),
              std::string::npos)
        << details;
}

TEST_F(StreamsPage, NoDevicesNoStreams)
{
    Open(EmptyBus());
    EXPECT_EQ(ListView_GetItemCount(list), 0);
    EXPECT_EQ(panel->Pane(3), "no streams available");
    EXPECT_EQ(Details(), "");
}

TEST_F(StreamsPage, StoppedStreamingIsAConnectFailure)
{
    SimBus bus = Streaming(1);
    bus.streaming = false;
    Open(bus);
    EXPECT_EQ(panel->Pane(3), "connect failed");
}

TEST_F(StreamsPage, TheSelectedRowSurvivesARefreshOrFallsBackToTheFirst)
{
    Open(Streaming(3));
    Ui::SelectRow(list, 2);
    EXPECT_EQ(Details().rfind("AudioOutPlug", 0), 0u);
    panel->View()->StreamsPage().Refresh();
    EXPECT_EQ(Ui::SelectedRow(list), 2);
    EXPECT_NE(Details().find("AudioOutPlug"), std::string::npos);

    Sim().Change([](SimBus& b) { b.devices.resize(1); });
    panel->View()->StreamsPage().Refresh();
    EXPECT_EQ(Ui::SelectedRow(list), 0);
}

TEST_F(StreamsPage, AnUnreadableStreamLeavesItsCellsEmpty)
{
    Open(Streaming(2));
    Sim().FailRequest(OvxIoctl::GetStreamInfo, 55, FaultRepeat::Once);
    panel->View()->StreamsPage().Refresh();
    EXPECT_EQ(Ui::Cell(list, 0, 1), "");
    EXPECT_NE(Ui::Cell(list, 1, 1), "");
    EXPECT_EQ(panel->Pane(3), "streaming");
}
