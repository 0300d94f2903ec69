// One full refresh, as requests and as what the lists show, pinned as a whole: the
// panel's inner workings may change for speed, what it asks and shows may not.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "sim/SimTraceLine.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"

namespace {

BOOL CALLBACK AppendListRows(HWND hWnd, LPARAM text)
{
    char name[32] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpiA(name, WC_LISTVIEWA) != 0)
        return TRUE;
    auto& out = *reinterpret_cast<std::string*>(text);
    const int columns = Header_GetItemCount(ListView_GetHeader(hWnd));
    out += "list " + std::to_string(::GetDlgCtrlID(hWnd)) + "\n";
    for (int row = 0; row < ListView_GetItemCount(hWnd); ++row) {
        for (int column = 0; column < columns; ++column)
            out += (column ? " | " : "  ") + Ui::Cell(hWnd, row, column);
        out += "\n";
    }
    return TRUE;
}

const char kExpected[] = R"(GetDeviceList - 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetChannelLists - 0x00000000
GetChannelProperties 0000c400 0x00000000
GetChannelProperties 0100c400 0x00000000
GetChannelProperties 0300c400 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetChannelLists - 0x00000000
GetChannelProperties 0200c400 0x00000000
GetChannelProperties 0400c400 0x00000000
GetChannelProperties 0500c400 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetDeviceList - 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetStreamInfo 00b2a100 0x00000000
GetStreamInfo 01b2a100 0x00000000
GetStreamInfo 00b2a100 0x00000000
GetStreamBufferDepth - 0x00000000
GetAsioBufferDepth - 0x00000000
GetWdmBufferDepth - 0x00000000
GetDeviceList - 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetDeviceList - 0x00000000
GetDeviceSyncMode 00b2a100 0x00000000
GetDeviceSyncMode 01b2a100 0x00000000
GetClockSource - 0x00000000
GetRateMode - 0x00000000
GetDeviceList - 0x00000000
GetDeviceProperties 00b2a100 0x00000000
GetDeviceProperties 01b2a100 0x00000000
GetSampleRates - 0x00000000
list 1001
  Studio Rack | SN-7
  Desk | SN-9
list 1007
  Studio Rack | In 1 | In 1
  Studio Rack | In 2 | In 2
  Desk | In 1 | In 1
list 1007
  Studio Rack | Out 1 | Out 1
  Desk | Out 1 | Out 1
  Desk | Out 2 | Out 2
list 1039
  Studio Rack | connected (0) | connected (1) | connected (2) | connected (3)
  Desk | connected (4) | connected (5) | connected (6) | connected (7)
list 1063
   | PC Driver | Internal
   | Studio Rack | SYT (Bus)
   | Desk | SYT (Bus)
)";

}  // namespace

TEST(FullRefresh, AsksAndShowsExactlyWhatItDidBefore)
{
    SimBus bus = EmptyBus();
    AddStandardDevice(bus, "Studio Rack", "SN-7", 2, 1);
    AddStandardDevice(bus, "Desk", "SN-9", 1, 2);
    bus.streaming = true;
    CPanelHarness panel(bus);
    ASSERT_TRUE(panel.Start("-hide"));
    panel.sim.ClearTrace();
    panel.View()->RefreshAllPages();

    std::string seen;
    for (const SimTraceEntry& entry : panel.sim.Trace())
        seen += FormatTraceLine(entry) + "\n";
    ::EnumChildWindows(panel.FrameWindow(), AppendListRows, reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, kExpected);
}
