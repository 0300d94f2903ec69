// The framework on real controls, in the manner of Wine's message-sequence tests: a
// parent and its controls record what reaches them, a test clears the record, acts,
// and compares the ordered sequence with a table of expected entries. No entry of
// these tables is optional: none was seen to differ, and what Wine's own tests mark
// as differing (a track bar's notifications while it is created) is not compared.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/harness/MessageSequence.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/Dialog.h"
#include "ui/FormView.h"
#include "ui/FrameWnd.h"
#include "ui/ListCtrlEx.h"
#include "ui/ProgrammingError.h"
#include "ui/StatusBar.h"
#include "ui/ToolTipCtrl.h"
#include "ui/TrackBarCtrl.h"
#include "ui/WinApp.h"
#include "ui/Wnd.h"

namespace {

constexpr int kEditId = 100;
constexpr int kLabelId = 101;
constexpr int kCheckBoxId = 102;
constexpr int kMissingId = 999;
constexpr UINT kThrowMessage = WM_APP + 40;

// A template in memory: an edit box and a static, so the tests need no resources.
class CDialogTemplate {
public:
    CDialogTemplate()
    {
        Dword(WS_POPUP | DS_MODALFRAME);
        Dword(0);
        Word(3);   // controls
        Words({0, 0, 200, 100});
        Words({0, 0, 0});   // no menu, the dialog class, no title
        Item(kEditId, 0x0081, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
        Item(kLabelId, 0x0082, WS_CHILD | WS_VISIBLE);
        Item(kCheckBoxId, 0x0080, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD value) { m_words.push_back(value); }
    void Words(std::initializer_list<WORD> values) { m_words.insert(m_words.end(), values); }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Item(WORD id, WORD atom, DWORD style)
    {
        if (m_words.size() % 2)
            Word(0);   // items start on a DWORD boundary
        Dword(style);
        Dword(0);
        Words({10, 10, 100, 14, id, 0xFFFF, atom, 0, 0});   // place, id, class, no text, no data
    }
    std::vector<WORD> m_words;
};

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(0) {}
    BOOL Create() { return CreateIndirect(CDialogTemplate().Get(), nullptr); }

    std::string m_strText;
    int m_nBoundId = kEditId;
    HBRUSH m_hLabelBrush = nullptr;
    std::vector<UINT>* m_pCalls = nullptr;   // every message that reached the object

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, m_nBoundId, m_strText); }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (m_pCalls)
            m_pCalls->push_back(message);
        if (message == kThrowMessage)
            throw std::runtime_error("handler failed");
        if (message == WM_CTLCOLORSTATIC && m_hLabelBrush) {
            result = reinterpret_cast<LRESULT>(m_hLabelBrush);
            return true;
        }
        return false;
    }
};

// A control of the dialog that the template does not hold.
HWND AddControl(const CDialog& dialog, const char* className, DWORD style, int id)
{
    return ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, 40, 150, 40, dialog.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}

// What the framework reported as programming errors while it was installed.
class CReportedErrors {
public:
    CReportedErrors() : m_previous(SetProgrammingErrorHook(&CReportedErrors::Record)) { Reports().clear(); }
    ~CReportedErrors() { SetProgrammingErrorHook(m_previous); }
    CReportedErrors(const CReportedErrors&) = delete;
    CReportedErrors& operator=(const CReportedErrors&) = delete;

    static std::vector<std::string>& Reports()
    {
        static std::vector<std::string> reports;
        return reports;
    }

private:
    static void Record(const char* what) { Reports().push_back(what); }
    ProgrammingErrorHook m_previous;
};

}  // namespace

TEST(UiDataExchange, WritingUnchangedValuesSendsNoTextAndTypingIsReadBack)
{
    using namespace Seq;
    CTestDialog dialog;
    dialog.m_strText = "first";
    ASSERT_TRUE(dialog.Create());
    HWND edit = ::GetDlgItem(dialog.m_hWnd, kEditId);
    CMessageSequence sequence;
    sequence.WatchControl(edit, {WM_SETTEXT});
    sequence.WatchParent(dialog.m_hWnd);
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_TRUE(sequence.Matches({}));

    dialog.m_strText = "second";
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_TRUE(sequence.Matches({{WM_SETTEXT, sent},
                                  {WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kEditId, EN_UPDATE)},
                                  {WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kEditId, EN_CHANGE)}}));

    // A typed character: the edit tells its parent that its text will change, then that it did.
    sequence.Clear();
    ::SendMessageA(edit, EM_SETSEL, 6, 6);
    ::SendMessageA(edit, WM_CHAR, 'x', 1);
    EXPECT_TRUE(sequence.Matches({{WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kEditId, EN_UPDATE)},
                                  {WM_COMMAND, sent | parent | wparam, MAKEWPARAM(kEditId, EN_CHANGE)}}));
    dialog.m_strText.clear();
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_strText, "secondx");
}

TEST(UiDataExchange, AnIdWithoutAControlIsReported)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CReportedErrors errors;
    dialog.m_nBoundId = kMissingId;
    EXPECT_FALSE(dialog.UpdateData(FALSE));
    ASSERT_EQ(CReportedErrors::Reports().size(), 1u);
    EXPECT_NE(CReportedErrors::Reports()[0].find("999"), std::string::npos);
}

TEST(UiDialog, ACtlColorHandlersBrushIsTheProceduresResult)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.m_hLabelBrush = ::GetSysColorBrush(COLOR_INFOBK);
    HWND label = ::GetDlgItem(dialog.m_hWnd, kLabelId);
    HDC dc = ::GetDC(label);
    // What the static sends its parent before it paints.
    const LRESULT brush = ::SendMessageA(dialog.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(label));
    ::ReleaseDC(label, dc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), dialog.m_hLabelBrush);
}

TEST(UiDialog, AnExceptionStoppedAtTheProcedureIsReported)
{
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    CReportedErrors errors;
    ::SendMessageA(dialog.m_hWnd, kThrowMessage, 0, 0);
    EXPECT_EQ(CReportedErrors::Reports(), std::vector<std::string>{"handler failed"});
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
}

TEST(UiDialog, NothingReachesTheObjectAfterNcDestroy)
{
    std::vector<UINT> calls;
    CTestDialog dialog;
    dialog.m_pCalls = &calls;
    ASSERT_TRUE(dialog.Create());
    HWND hWnd = dialog.m_hWnd;
    ASSERT_TRUE(::DestroyWindow(hWnd));
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

namespace {

class CRecordingWnd : public CWnd {
public:
    explicit CRecordingWnd(std::vector<UINT>& calls) : m_calls(calls) {}
    BOOL Create()
    {
        return CreateEx(0, RegisterWindowClass(0, nullptr), "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_calls.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<UINT>& m_calls;
};

}  // namespace

TEST(UiWnd, NothingReachesTheObjectAfterNcDestroyOrAfterItsEnd)
{
    std::vector<UINT> calls;
    {
        CRecordingWnd window(calls);
        ASSERT_TRUE(window.Create());
        ::DestroyWindow(window.m_hWnd);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), static_cast<UINT>(WM_NCDESTROY));
        EXPECT_EQ(window.m_hWnd, nullptr);
    }
    // A window that outlives its object no longer reaches it.
    HWND survivor = nullptr;
    {
        CRecordingWnd window(calls);
        ASSERT_TRUE(window.Create());
        survivor = window.m_hWnd;
    }
    calls.clear();
    ::SendMessageA(survivor, WM_USER, 0, 0);
    ::DestroyWindow(survivor);
    EXPECT_TRUE(calls.empty());
}

namespace {

constexpr UINT kFormTemplate = 100;   // in UiFrameworkTest.rc
constexpr UINT kViewCommand = 40001;
constexpr UINT kFrameCommand = 40002;
constexpr UINT kAppCommand = 40003;
constexpr UINT kNobodysCommand = 40004;

using Route = std::vector<std::string>;

class CRoutingView : public CFormView {
public:
    explicit CRoutingView(Route& route) : CFormView(kFormTemplate), m_route(route) {}

protected:
    bool OnCommand(UINT id, UINT, HWND) override
    {
        m_route.push_back("view");
        return id == kViewCommand;
    }

private:
    Route& m_route;
};

class CRoutingFrame : public CFrameWnd {
public:
    explicit CRoutingFrame(Route& route) : m_route(route) {}
    ~CRoutingFrame() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }

protected:
    bool OnCommand(UINT id, UINT, HWND) override
    {
        m_route.push_back("frame");
        return id == kFrameCommand;
    }

private:
    Route& m_route;
};

class CRoutingApp : public CWinApp {
public:
    explicit CRoutingApp(Route& route) : m_route(route) {}
    bool OnCommand(UINT id) override
    {
        m_route.push_back("app");
        return id == kAppCommand;
    }

private:
    Route& m_route;
};

}  // namespace

TEST(UiFrame, CommandsReachViewFrameAndApplicationInThatOrder)
{
    Route route;
    CRoutingApp app(route);
    CRoutingFrame frame(route);
    const CSingleDocTemplate::ViewFactory makeView = [&] { return std::make_unique<CRoutingView>(route); };
    ASSERT_TRUE(frame.LoadFrame(kFormTemplate, WS_OVERLAPPEDWINDOW, makeView));
    ASSERT_NE(frame.GetActiveView(), nullptr);

    const struct {
        UINT id;
        Route expected;
    } cases[] = {
        {kViewCommand, {"view"}},
        {kFrameCommand, {"view", "frame"}},
        {kAppCommand, {"view", "frame", "app"}},
        {kNobodysCommand, {"view", "frame", "app"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        route.clear();
        ::SendMessageA(frame.m_hWnd, WM_COMMAND, c.id, 0);
        EXPECT_EQ(route, c.expected);
    }
}

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
