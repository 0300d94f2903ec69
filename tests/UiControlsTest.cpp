// The framework's control wrappers on real controls, compared with ordered message
// sequences as in the framework tests: the file dialog loaded on demand, status bar
// panes, tool tips, check boxes, list check boxes and track bars.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <string>

#include "tests/UiTestDialog.h"
#include "tests/harness/MessageSequence.h"
#include "ui/FileDialog.h"
#include "ui/ListCtrlEx.h"
#include "ui/StatusBar.h"
#include "ui/ToolTipCtrl.h"
#include "ui/TrackBarCtrl.h"

namespace {

HWND g_shownFileDialog = nullptr;

// Runs in the dialog's own message loop: cancels the file dialog once it is shown.
void CALLBACK CancelFileDialog(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char className[16] = "";
            ::GetClassNameA(window, className, sizeof className);
            if (std::string(className) != "#32770" || !::IsWindowVisible(window))
                return TRUE;
            g_shownFileDialog = window;
            ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return FALSE;
        },
        0);
}

}  // namespace

TEST(UiFileDialog, IsLoadedOnlyWhenAskedForAndShown)
{
    EXPECT_EQ(::GetModuleHandleA("comdlg32.dll"), nullptr);
    char path[MAX_PATH] = "trace.txt";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, CancelFileDialog);
    EXPECT_FALSE(PromptSaveFileName(ofn));   // cancelled
    ::KillTimer(nullptr, timer);
    EXPECT_NE(g_shownFileDialog, nullptr);
    EXPECT_NE(::GetModuleHandleA("comdlg32.dll"), nullptr);
}

TEST(UiStatusBar, APaneThatShowsTheTextAlreadyIsLeftAlone)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(&dialog, WS_CHILD | WS_VISIBLE, 200));
    const UINT ids[] = {1, 2};
    bar.SetIndicators(ids, 2);
    CMessageSequence sequence;
    sequence.WatchControl(bar.m_hWnd, {SB_SETTEXTA});
    const SeqMessage setPane1{SB_SETTEXTA, Seq::sent | Seq::wparam, 1};
    bar.SetPaneText(1, "48 kHz");
    bar.SetPaneText(1, "48 kHz");
    EXPECT_TRUE(sequence.Matches({setPane1}));
    bar.SetPaneText(1, "44.1 kHz");
    EXPECT_EQ(bar.GetPaneText(1), "44.1 kHz");
    // A pane given anew may show what it did before, or nothing: its text is set again.
    bar.SetPaneInfo(1, 2, SBPS_NORMAL, 80);
    bar.SetPaneText(1, "44.1 kHz");
    EXPECT_TRUE(sequence.Matches({setPane1, setPane1, setPane1}));
    // Pane 0 is also the bar's window text, which others set.
    bar.SetPaneText(0, "Ready");
    ::SetWindowTextA(bar.m_hWnd, "Devices");
    bar.SetPaneText(0, "Ready");
    EXPECT_EQ(bar.GetPaneText(0), "Ready");
}

TEST(UiToolTip, ATaughtControlRelaysItsMouseMessagesAndKeepsItsOwnProcedure)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&dialog, TTS_ALWAYSTIP));
    HWND edit = ::GetDlgItem(dialog.m_hWnd, kEditId);
    ASSERT_TRUE(tip.AddTool(edit, "A note"));
    CMessageSequence sequence;
    sequence.WatchControl(tip.m_hWnd, {TTM_RELAYEVENT});
    ::SendMessageA(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SetWindowTextA(edit, "typed");
    EXPECT_TRUE(sequence.Matches({{TTM_RELAYEVENT, Seq::sent | Seq::code, 0, 0, WM_MOUSEMOVE},
                                  {TTM_RELAYEVENT, Seq::sent | Seq::code, 0, 0, WM_LBUTTONDOWN}}));
    char text[16] = "";
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "typed");
    EXPECT_EQ(::SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST(UiControls, ACheckBoxIsTickedBeforeItsParentHearsOfTheClick)
{
    using namespace Seq;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND box = ::GetDlgItem(dialog.m_hWnd, kCheckBoxId);
    CMessageSequence sequence;
    sequence.WatchControl(box, {BM_SETCHECK});
    sequence.WatchParent(dialog.m_hWnd);
    ::SendMessageA(box, BM_CLICK, 0, 0);
    // The click takes the focus from the edit first.
    EXPECT_TRUE(sequence.Matches({{WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kEditId, EN_KILLFOCUS)},
                                  {BM_SETCHECK, sent | wparam, BST_CHECKED},
                                  {WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kCheckBoxId, BN_CLICKED)}}));
    // Set by the program, it tells nobody.
    sequence.Clear();
    ::SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_TRUE(sequence.Matches({{BM_SETCHECK, sent | wparam, BST_UNCHECKED}}));
}

TEST(UiControls, AListsCheckBoxAnnouncesItsChangeBeforeAndAfterWhoeverChangesIt)
{
    using namespace Seq;
    constexpr int kListId = 103;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CListCtrlEx list;
    list.m_hWnd = AddControl(dialog, WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, kListId);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "first");
    list.InsertItem(1, "second");
    list.SelectRow(1);
    CMessageSequence sequence;
    sequence.WatchParent(dialog.m_hWnd);
    const SeqMessage changing{WM_NOTIFY, sent | parent | code, 0, 0, static_cast<UINT>(LVN_ITEMCHANGING)};
    const SeqMessage changed{WM_NOTIFY, sent | parent | code, 0, 0, static_cast<UINT>(LVN_ITEMCHANGED)};

    // The space bar on the selected row, as a user ticks it: the key, the tick, then
    // the selection the key confirms, asked about and unchanged.
    ::SendMessageA(list.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(list.m_hWnd, WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(sequence.Matches({{WM_NOTIFY, sent | parent | code, 0, 0, static_cast<UINT>(LVN_KEYDOWN)}, changing,
                                  changed, changing}));
    EXPECT_TRUE(list.GetCheck(1));

    // The program's own tick arrives the same way, inside the call.
    sequence.Clear();
    list.SetCheck(0, TRUE);
    EXPECT_TRUE(sequence.Matches({changing, changed}));
}

TEST(UiControls, ATrackBarScrollsItsParentForKeysButNotForTheProgramsPosition)
{
    using namespace Seq;
    constexpr int kBarId = 104;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CTrackBarCtrl bar;
    bar.m_hWnd = AddControl(dialog, TRACKBAR_CLASSA, TBS_HORZ | TBS_AUTOTICKS, kBarId);
    bar.SetRangeMax(10);
    CMessageSequence sequence;
    sequence.WatchParent(dialog.m_hWnd);
    bar.SetPos(4);
    EXPECT_TRUE(sequence.Matches({}));

    ::SendMessageA(bar.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(bar.m_hWnd, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_TRUE(sequence.Matches({{WM_HSCROLL, sent | parent | code | lparam, 0, reinterpret_cast<LPARAM>(bar.m_hWnd),
                                   TB_LINEDOWN},
                                  {WM_HSCROLL, sent | parent | code | lparam, 0, reinterpret_cast<LPARAM>(bar.m_hWnd),
                                   TB_ENDTRACK}}));
    EXPECT_EQ(bar.GetPos(), 5);
}

TEST(UiMessageSequence, PassesOverAbsentOptionalEntriesAndNamesTheFirstMismatch)
{
    using namespace Seq;
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    HWND label = ::GetDlgItem(dialog.m_hWnd, kLabelId);
    CMessageSequence sequence;
    sequence.WatchControl(label, {WM_SETTEXT, WM_GETTEXT});
    ::SetWindowTextA(label, "shown");
    EXPECT_TRUE(sequence.Matches({{WM_GETTEXT, sent | optional}, {WM_SETTEXT, sent}, {WM_GETTEXT, sent | optional}}));
    const testing::AssertionResult missing = sequence.Matches({{WM_SETTEXT, sent}, {WM_GETTEXT, sent}});
    EXPECT_FALSE(missing);
    EXPECT_NE(std::string(missing.message()).find("entry 1: expected message 0x000d"), std::string::npos);
}
