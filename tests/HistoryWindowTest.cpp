// The Event History window through its real controls and keys: opened from the Info and
// the tray menus, following the history newest first, its lines copied and saved, the
// history cleared. The entries are the test's own, noted as the panel notes them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/AppMessages.h"
#include "history/HistoryText.h"
#include "res/resource.h"
#include "text/Utf16.h"
#include "tests/harness/DialogAnswers.h"
#include "tests/harness/PanelFixture.h"
#include "ui/Dpi.h"

namespace {

void Press(BYTE key, BYTE modifier = 0)
{
    for (const BYTE down : {modifier, key})
        if (down)
            ::keybd_event(down, 0, 0, 0);
    for (const BYTE up : {key, modifier})
        if (up)
            ::keybd_event(up, 0, KEYEVENTF_KEYUP, 0);
}

// The one Event History window, or null when there is none or a second one.
HWND TheHistoryWindow()
{
    HWND first = ::FindWindowA("#32770", "Event History");
    return first && !::FindWindowExA(nullptr, first, "#32770", "Event History") ? first : nullptr;
}

HistoryEntry Entry(HistoryKind kind, const char* device = "", const char* serial = "")
{
    static time_t minute = 1796000000;
    return {{true, device, serial, 44100, 48000, false, 0}, std::chrono::system_clock::from_time_t(minute += 60), kind, 3};
}

// Oldest first, with the event each shows; the last device's name is ANSI ("B\xFChne", code page 1252).
const struct { HistoryEntry entry; const char* event; } kNoted[] = {
    {Entry(HistoryKind::DeviceConnected, "Zemra Desk 4", "ZD4-0019-82"), "Device connected"},
    {Entry(HistoryKind::RateChanged), "Sampling rate changed from 44.1 kHz to 48.0 kHz (by the panel)"},
    {Entry(HistoryKind::DropOuts), "3 ASIO drop-outs"},
    {Entry(HistoryKind::DeviceGone, "Zemra B\xFChne", "ZB-1"), "Device disconnected"},
};

class HistoryWindow : public CPanelFixture {
protected:
    void SetUp() override { ASSERT_TRUE(StartPanel(DefaultBus(), "-hide")); }
    void Note(size_t from, size_t to)
    {
        for (size_t i = from; i < to; ++i)
            panel->app.NoteInHistory(kNoted[i].entry);
        panel->Pump();
    }
    HWND Open()
    {
        panel->SendCommand(ID_EVENT_HISTORY);
        panel->Pump();
        return window = TheHistoryWindow();
    }
    HWND Item(int id) const { return ::GetDlgItem(window, id); }
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < ListView_GetItemCount(Item(IDC_HISTORY_LIST)); ++row)
            rows.push_back(Ui::Cell(Item(IDC_HISTORY_LIST), row, 0) + " | " + Ui::Cell(Item(IDC_HISTORY_LIST), row, 1) +
                           " | " + Ui::Cell(Item(IDC_HISTORY_LIST), row, 2));
        return rows;
    }
    // The rows of these entries of kNoted, newest first.
    static std::vector<std::string> Shown(std::vector<size_t> noted)
    {
        std::vector<std::string> rows;
        for (auto i = noted.rbegin(); i != noted.rend(); ++i)
            rows.push_back(HistoryTimeText(kNoted[*i].entry) + " | " + kNoted[*i].event + " | " + HistoryDeviceText(kNoted[*i].entry));
        return rows;
    }
    // Their lines, oldest first, in UTF-8.
    static std::string Lines(std::vector<size_t> noted)
    {
        std::string lines;
        for (const size_t i : noted)
            lines += HistoryLine(kNoted[i].entry, DefaultHistoryTexts()) + "\r\n";
        return Utf8FromAnsiReplacing(lines);
    }
    HWND window = nullptr;
};

TEST_F(HistoryWindow, TheTrayAndInfoMenusOpenOneWindowThatFollowsTheHistoryNewestFirst)
{
    HMENU info = ::GetSubMenu(::GetMenu(panel->FrameWindow()), 1);
    EXPECT_EQ(::GetMenuItemID(info, 0), static_cast<UINT>(ID_EVENT_HISTORY));   // before About
    Note(0, 2);
    // The hidden panel's tray menu, its item chosen by its mnemonic.
    AnswerNextDialog([](HWND) { Press('E'); }, "#32768");
    ::SendMessageA(panel->FrameWindow(), WM_APP_TRAY_NOTIFY, CMainFrame::TRAY_ICON_ID, WM_RBUTTONDOWN);
    ASSERT_TRUE(panel->PumpUntil([&] { return TheHistoryWindow() != nullptr; }));
    const HWND first = TheHistoryWindow();
    EXPECT_EQ(::GetWindow(first, GW_OWNER), panel->FrameWindow());
    // The Info menu's item brings the same window forward; hiding the panel leaves it.
    panel->SendCommand(ID_TRAY_OPEN);
    EXPECT_EQ(Open(), first);
    EXPECT_EQ(::GetForegroundWindow(), first);
    panel->SendCommand(ID_HIDE_PANEL);
    EXPECT_TRUE(::IsWindowVisible(first));
    EXPECT_EQ(Rows(), Shown({0, 1}));

    // A selection follows its entry down, and goes when the entry is dropped for room.
    HWND list = Item(IDC_HISTORY_LIST);
    Ui::SelectRow(list, 1);
    Note(2, 4);
    EXPECT_EQ(Rows(), Shown({0, 1, 2, 3}));
    EXPECT_EQ(Ui::SelectedRow(list), 3);
    EXPECT_EQ(WindowText(Item(IDC_HISTORY_DROPPED)), "");
    const struct { size_t more; const char* dropped; } cases[] = {
        {CEventHistory::kCapacity - 3, "1 older event was dropped to keep the last 1,000."},
        {1, "2 older events were dropped to keep the last 1,000."},
    };
    for (const auto& c : cases) {
        for (size_t i = 0; i < c.more; ++i)
            panel->app.NoteInHistory(kNoted[2].entry);
        panel->Pump();
        EXPECT_EQ(WindowText(Item(IDC_HISTORY_DROPPED)), c.dropped);
        EXPECT_EQ(ListView_GetItemCount(list), static_cast<int>(CEventHistory::kCapacity));
    }
    EXPECT_EQ(Ui::SelectedRow(list), -1);
    // Scrolled down, the rows read stay in view while newer entries come.
    ListView_Scroll(list, 0, 100);
    const int top = ListView_GetTopIndex(list);
    Note(3, 4);
    EXPECT_GT(top, 0);
    EXPECT_EQ(ListView_GetTopIndex(list), top + 1);
}

TEST_F(HistoryWindow, CtrlCAndCopyPutTheSelectedLinesOrAllOnTheClipboardOldestFirst)
{
    Note(0, 4);
    ASSERT_NE(Open(), nullptr);
    HWND list = Item(IDC_HISTORY_LIST);
    const struct { std::vector<int> rows; bool key; std::vector<size_t> copied; } cases[] = {
        {{0, 2}, true, {1, 3}}, {{3}, false, {0}}, {{}, false, {0, 1, 2, 3}}};
    for (const auto& c : cases) {
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        for (const int row : c.rows)
            ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
        ::SetFocus(list);
        c.key ? Press('C', VK_CONTROL) : Ui::Click(Item(IDC_HISTORY_COPY));
        panel->Pump();
        std::string copied;
        if (::OpenClipboard(nullptr)) {
            if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT))
                copied = Utf8FromUtf16Replacing(static_cast<const wchar_t*>(::GlobalLock(data)));
            ::EmptyClipboard();
            ::CloseClipboard();
        }
        EXPECT_EQ(copied, Lines(c.copied));
    }
}

TEST_F(HistoryWindow, SaveAsTextWritesEveryLineOldestFirstInUtf8AfterAHeader)
{
    Note(0, 4);
    ASSERT_NE(Open(), nullptr);
    const std::wstring path = TempFile(L"ovx-history.txt");
    AnswerFileDialog(path);
    Ui::Click(Item(IDC_HISTORY_SAVE));
    std::stringstream file;
    file << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    const std::string header = "Tormalin Zemra 1394 Driver Control Panel: event history, saved ";
    EXPECT_EQ(file.str().substr(0, header.size()), header);
    EXPECT_EQ(file.str().substr(file.str().find("\r\n") + 2), Lines({0, 1, 2, 3}));
    ::DeleteFileW(path.c_str());
}

TEST_F(HistoryWindow, ClearEmptiesTheHistoryOnlyWhenTheQuestionIsAnsweredYes)
{
    Note(0, 2);
    ASSERT_NE(Open(), nullptr);
    const struct { int answer; size_t left; } cases[] = {{IDNO, 2}, {IDYES, 0}};
    for (const auto& c : cases) {
        std::string question;
        AnswerNextDialog([&](HWND box) {
            question = WindowText(::GetDlgItem(box, 0xFFFF));
            ::PostMessageA(box, WM_COMMAND, c.answer, 0);
        });
        ::SetFocus(Item(IDC_HISTORY_CLEAR));
        Ui::Click(Item(IDC_HISTORY_CLEAR));
        EXPECT_EQ(question.rfind("Clear the event history?", 0), 0u) << question;
        EXPECT_EQ(panel->app.History().Entries().size(), c.left);
        EXPECT_EQ(Rows().size(), c.left);
        EXPECT_EQ(Ui::Enabled(Item(IDC_HISTORY_CLEAR)), c.left > 0);
    }
    EXPECT_EQ(::GetFocus(), Item(IDC_HISTORY_LIST));   // not left on the greyed button
}

TEST_F(HistoryWindow, TabGoesListCopySaveClearCloseAndEscapeOrEnterClosesIt)
{
    Note(0, 1);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(::GetFocus(), Item(IDC_HISTORY_LIST));
    for (const int id : {IDC_HISTORY_COPY, IDC_HISTORY_SAVE, IDC_HISTORY_CLEAR, IDCANCEL, IDC_HISTORY_LIST}) {
        Press(VK_TAB);
        panel->Pump();
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), id);
    }
    for (const BYTE key : {BYTE{VK_ESCAPE}, BYTE{VK_RETURN}}) {   // Enter on the list: Close is the default button
        Press(key);
        panel->Pump();
        EXPECT_FALSE(::IsWindow(window));
        Note(1, 2);   // noted with no window to tell
        ASSERT_NE(Open(), nullptr);
    }
    EXPECT_EQ(Rows(), Shown({0, 1, 1}));
}

// The columns fill the list as the template lays it out, at the prefix's DPI: the suite
// runs this at 96 DPI, and at 144 DPI through tests/AtDpi.sh.
TEST_F(HistoryWindow, ColumnsFillTheListAtTheSystemsDpi)
{
    ASSERT_NE(Open(), nullptr);
    if (const char* expected = std::getenv("OVX_EXPECT_DPI")) {
        ASSERT_EQ(WindowDpi(window), static_cast<UINT>(std::atoi(expected)));
    }
    RECT width{0, 0, 440, 0};   // dialog units, as the template gives them
    ::MapDialogRect(window, &width);
    int total = 0;
    for (int column = 0; column < 3; ++column)
        total += ListView_GetColumnWidth(Item(IDC_HISTORY_LIST), column);
    EXPECT_LE(total, width.right);
    EXPECT_GE(total, width.right * 9 / 10);
}

}  // namespace
