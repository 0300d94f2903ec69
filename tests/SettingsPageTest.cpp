// The buffer settings page through its track bars and buttons, with the requests on
// the simulated driver's trace.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "driver/ControlCodes.h"
#include "app/AppMessages.h"
#include "res/resource.h"
#include "ui/ResourceText.h"
#include "tests/harness/PanelFixture.h"

namespace {

namespace Io = OvxIoctl;

SimBus Studio()
{
    SimBus bus = EmptyBus();
    AddStandardDevice(bus, "Desk", "S1", 2, 2);
    bus.currentRate = 48000;
    bus.streamDepth = {125, 125, 1000, 10000, 0};
    bus.asioDepth = {1000, 1000, 5000, 40000, 0};
    bus.wdmDepth = {2000, 1000, 10000, 40000, 0};
    return bus;
}

struct Bar {
    int minimum, maximum, position, tickFrequency;
};

class SettingsPage : public CPanelFixture {
protected:
    void Open(SimBus bus) { OpenPage(std::move(bus), "Settings"); }
    Bar Read(int sliderId) const
    {
        HWND bar = Control(sliderId);
        const auto get = [&](UINT message, WPARAM w = 0) { return static_cast<int>(::SendMessageA(bar, message, w, 0)); };
        // The distance between the first two automatic ticks is the frequency.
        const int frequency = get(TBM_GETNUMTICS) > 3 ? get(TBM_GETTIC, 1) - get(TBM_GETTIC, 0) : 0;
        return {get(TBM_GETRANGEMIN), get(TBM_GETRANGEMAX), get(TBM_GETPOS), frequency};
    }
    // What the arrow key does on a focused track bar: one line, and the scroll message.
    void PressRight(int sliderId) const { Ui::PressKey(Control(sliderId), VK_RIGHT); }
    std::wstring TextW(int id) const
    {
        wchar_t text[128] = L"";
        ::GetWindowTextW(Control(id), text, 128);
        return text;
    }
    // Whether the drop out timer ran: killing it finds it, and it is gone after.
    bool KillDropOutTimer() const { return ::KillTimer(page, CDlgPgASIOSettings::kDropOutTimer) != FALSE; }
};

}  // namespace

TEST_F(SettingsPage, AnAsioDepthOnItsGridShowsMillisecondsAndSamples)
{
    Open(Studio());
    const Bar asio = Read(IDC_ASIO_DEPTH_SLIDER);
    EXPECT_EQ(asio.minimum, 1);
    EXPECT_EQ(asio.maximum, 40);
    EXPECT_EQ(asio.position, 5);
    EXPECT_EQ(asio.tickFrequency, 1);
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "5.0 ms\n240 samples");
    EXPECT_EQ(WindowText(Control(IDC_WDM_DEPTH_LABEL)), "10.0 ms\n480 samples");
    for (int id : {IDC_STREAM_APPLY, IDC_ASIO_APPLY, IDC_WDM_APPLY})
        EXPECT_FALSE(Ui::Enabled(Control(id))) << id;
}

TEST_F(SettingsPage, TheStreamBarHasATickAtEveryPosition)
{
    Open(Studio());
    const Bar stream = Read(IDC_STREAM_DEPTH_SLIDER);
    EXPECT_EQ(stream.minimum, 1);
    EXPECT_EQ(stream.maximum, 80);
    EXPECT_EQ(stream.position, 8);
    EXPECT_EQ(stream.tickFrequency, 1);
    EXPECT_EQ(TextW(IDC_STREAM_DEPTH_LABEL), L"1000 \u00b5s");
}

TEST_F(SettingsPage, ManyPositionsShareTheirTicks)
{
    SimBus bus = Studio();
    bus.asioDepth = {0, 250, 5000, 40000, 0};
    Open(bus);
    const Bar asio = Read(IDC_ASIO_DEPTH_SLIDER);
    EXPECT_EQ(asio.minimum, 0);
    EXPECT_EQ(asio.maximum, 160);
    EXPECT_EQ(asio.position, 20);
    EXPECT_EQ(asio.tickFrequency, 5);
}

TEST_F(SettingsPage, MovingTheAsioBarEnablesOnlyItsApplyAndDropsTheSamples)
{
    Open(Studio());
    ClearTrace();
    PressRight(IDC_ASIO_DEPTH_SLIDER);
    EXPECT_EQ(Read(IDC_ASIO_DEPTH_SLIDER).position, 6);
    EXPECT_TRUE(Ui::Enabled(Control(IDC_ASIO_APPLY)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_STREAM_APPLY)));
    EXPECT_FALSE(Ui::Enabled(Control(IDC_WDM_APPLY)));
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "6.0 ms");
    EXPECT_TRUE(NothingAsked());

    // Back where it was, the label still shows milliseconds alone until a refresh.
    ::SendMessageA(Control(IDC_ASIO_DEPTH_SLIDER), WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "5.0 ms");
}

TEST_F(SettingsPage, ADepthOffTheGridIsMovedOntoItAtOnce)
{
    SimBus bus = Studio();
    bus.asioDepth = {1000, 1000, 5500, 40000, 0};
    Open(bus);
    EXPECT_EQ(Read(IDC_ASIO_DEPTH_SLIDER).position, 5);
    EXPECT_TRUE(Ui::Enabled(Control(IDC_ASIO_APPLY)));
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "5.0 ms");
}

TEST_F(SettingsPage, AsioApplySendsOnlyItsWrite)
{
    Open(Studio());
    PressRight(IDC_ASIO_DEPTH_SLIDER);
    ClearTrace();
    Ui::Click(Control(IDC_ASIO_APPLY));
    EXPECT_EQ(FirstCodes(1), std::vector<uint32_t>{Io::SetAsioBufferDepth});
    EXPECT_EQ(InputOf(0), (std::vector<uint8_t>{0x70, 0x17, 0, 0, 0xE8, 3, 0, 0, 0xE8, 3, 0, 0,
                                                                 0xF0, 0, 0, 0}));
    EXPECT_EQ(CountOf(Io::StopStreaming), 0u);
    EXPECT_EQ(CountOf(Io::StartStreaming), 0u);
    EXPECT_EQ(Sim().Bus().asioDepth.current, 6000u);
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "6.0 ms\n288 samples");
    EXPECT_FALSE(Ui::Enabled(Control(IDC_ASIO_APPLY)));
}

TEST_F(SettingsPage, StreamAndWdmApplyRestartTheStreams)
{
    Open(Studio());
    const struct {
        int slider, apply;
        uint32_t write;
    } cases[] = {{IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY, Io::SetStreamBufferDepth},
                 {IDC_WDM_DEPTH_SLIDER, IDC_WDM_APPLY, Io::SetWdmBufferDepth}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.write);
        PressRight(c.slider);
        ClearTrace();
        Ui::Click(Control(c.apply));
        EXPECT_EQ(FirstCodes(3), (std::vector<uint32_t>{c.write, Io::StopStreaming, Io::StartStreaming}));
        EXPECT_EQ(CountOf(Io::GetStreamBufferDepth), 1u);   // the refresh after it
        EXPECT_FALSE(Ui::Enabled(Control(c.apply)));
    }
    EXPECT_EQ(Sim().Bus().streamDepth.current, 1125u);
    EXPECT_EQ(Sim().Bus().wdmDepth.current, 11000u);
}

TEST_F(SettingsPage, WithoutADriverEverythingIsOffAndEmpty)
{
    SimBus bus = Studio();
    bus.driverPresent = false;
    Open(bus);
    for (int id : {IDC_STREAM_DEPTH_SLIDER, IDC_ASIO_DEPTH_SLIDER, IDC_WDM_DEPTH_SLIDER, IDC_STREAM_APPLY,
                   IDC_ASIO_APPLY, IDC_WDM_APPLY})
        EXPECT_FALSE(Ui::Enabled(Control(id))) << id;
    EXPECT_EQ(WindowText(Control(IDC_DROPOUT_COUNT)), "");
    for (int id : {IDC_STREAM_DEPTH_LABEL, IDC_ASIO_DEPTH_LABEL, IDC_WDM_DEPTH_LABEL})
        EXPECT_EQ(WindowText(Control(id)), "") << id;
}

TEST_F(SettingsPage, ADepthWithoutARangeDisablesItsBarOnly)
{
    SimBus bus = Studio();
    bus.asioDepth = {1000, 0, 5000, 40000, 0};       // no step
    bus.wdmDepth = {50000, 1000, 50000, 60000, 0};   // a minimum above the page's limit
    Open(bus);
    EXPECT_FALSE(Ui::Enabled(Control(IDC_ASIO_DEPTH_SLIDER)));
    EXPECT_EQ(WindowText(Control(IDC_ASIO_DEPTH_LABEL)), "");
    EXPECT_FALSE(Ui::Enabled(Control(IDC_WDM_DEPTH_SLIDER)));
    EXPECT_EQ(WindowText(Control(IDC_WDM_DEPTH_LABEL)), "");
    EXPECT_TRUE(Ui::Enabled(Control(IDC_STREAM_DEPTH_SLIDER)));
    EXPECT_EQ(TextW(IDC_STREAM_DEPTH_LABEL), L"1000 \u00b5s");
}

TEST_F(SettingsPage, DropOutsAreCountedOnlyWhileThePageIsShown)
{
    SimBus bus = Studio();
    bus.asioDropouts = 7;
    bus.streaming = true;
    Open(bus);
    ASSERT_TRUE(panel->PumpUntil([&] { return WindowText(Control(IDC_DROPOUT_COUNT)) == "7"; }));
    // The count is the driver's; the panel says since when it watches it itself.
    EXPECT_EQ(WindowText(Control(IDC_DROPOUT_SINCE)).rfind("watched by the panel since ", 0), 0u)
        << WindowText(Control(IDC_DROPOUT_SINCE));

    // Another page: the timer is gone.
    panel->SelectPage("Devices");
    EXPECT_FALSE(KillDropOutTimer());

    // Back on the page: a fresh read of the settings, and the count goes on.
    Sim().Change([](SimBus& b) { b.asioDropouts = 9; });
    ClearTrace();
    panel->SelectPage("Settings");
    EXPECT_EQ(CountOf(Io::GetAsioBufferDepth), 1u);
    EXPECT_TRUE(panel->PumpUntil([&] { return WindowText(Control(IDC_DROPOUT_COUNT)) == "9"; }));
}

TEST_F(SettingsPage, AHiddenPanelCountsNothing)
{
    Open(Studio());
    ::SendMessageA(panel->FrameWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(KillDropOutTimer());
    ::SendMessageA(panel->FrameWindow(), WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID, WM_LBUTTONDOWN);
    EXPECT_TRUE(KillDropOutTimer());
}

TEST_F(SettingsPage, TheAsioControlsCarryTheRoundingNote)
{
    Open(Studio());
    HWND tip = nullptr;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        char name[32] = "";
        ::GetClassNameA(w, name, sizeof name);
        // A pop-up's owner is the top-level window of the page it was created for.
        if (std::string(name) == TOOLTIPS_CLASSA && ::GetWindow(w, GW_OWNER) == panel->FrameWindow() &&
            ::SendMessageA(w, TTM_GETTOOLCOUNT, 0, 0) > 0)
            tip = w;
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::GetWindowLongA(tip, GWL_STYLE) & TTS_ALWAYSTIP);
    const int tools[] = {IDC_ASIO_APPLY, IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_DEPTH_LABEL, IDC_ASIO_DEPTH_CAPTION};
    EXPECT_EQ(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(std::size(tools)));
    for (int id : tools) {
        wchar_t text[160] = L"";
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = page;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
        tool.lpszText = text;
        ::SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, L"Note: Some applications such as ProTools 9 may round up samples to the next power of 2.")
            << id;
    }
}
