// The framework on real controls, in the manner of message-sequence tests: what a
// window receives is recorded, the record cleared, the test acts and compares.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/Dialog.h"
#include "ui/FormView.h"
#include "ui/FrameWnd.h"
#include "ui/ProgrammingError.h"
#include "ui/StatusBar.h"
#include "ui/ToolTipCtrl.h"
#include "ui/WinApp.h"
#include "ui/Wnd.h"

namespace {

constexpr int kEditId = 100;
constexpr int kLabelId = 101;
constexpr int kMissingId = 999;
constexpr UINT kThrowMessage = WM_APP + 40;

// A template in memory: an edit box and a static, so the tests need no resources.
class CDialogTemplate {
public:
    CDialogTemplate()
    {
        Dword(WS_POPUP | DS_MODALFRAME);
        Dword(0);
        Word(2);   // controls
        Words({0, 0, 200, 100});
        Words({0, 0, 0});   // no menu, the dialog class, no title
        Item(kEditId, 0x0081, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
        Item(kLabelId, 0x0082, WS_CHILD | WS_VISIBLE);
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

// Records the messages a control gets, through a subclass.
class CMessageRecord {
public:
    explicit CMessageRecord(HWND control) : m_hWnd(control)
    {
        ::SetWindowSubclass(m_hWnd, &CMessageRecord::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CMessageRecord() { ::RemoveWindowSubclass(m_hWnd, &CMessageRecord::Proc, 1); }
    CMessageRecord(const CMessageRecord&) = delete;
    CMessageRecord& operator=(const CMessageRecord&) = delete;

    void Clear() { m_messages.clear(); }
    size_t CountOf(UINT message) const
    {
        size_t count = 0;
        for (UINT m : m_messages)
            count += m == message;
        return count;
    }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        reinterpret_cast<CMessageRecord*>(self)->m_messages.push_back(message);
        return ::DefSubclassProc(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd;
    std::vector<UINT> m_messages;
};

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

TEST(UiDataExchange, WritingUnchangedValuesSendsNoText)
{
    CTestDialog dialog;
    dialog.m_strText = "first";
    ASSERT_TRUE(dialog.Create());
    HWND edit = ::GetDlgItem(dialog.m_hWnd, kEditId);
    CMessageRecord record(edit);
    record.Clear();
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(record.CountOf(WM_SETTEXT), 0u);

    dialog.m_strText = "second";
    EXPECT_TRUE(dialog.UpdateData(FALSE));
    EXPECT_EQ(record.CountOf(WM_SETTEXT), 1u);
    dialog.m_strText.clear();
    EXPECT_TRUE(dialog.UpdateData(TRUE));
    EXPECT_EQ(dialog.m_strText, "second");
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
    CMessageRecord record(bar.m_hWnd);
    record.Clear();
    bar.SetPaneText(1, "48 kHz");
    bar.SetPaneText(1, "48 kHz");
    EXPECT_EQ(record.CountOf(SB_SETTEXTA), 1u);
    bar.SetPaneText(1, "44.1 kHz");
    EXPECT_EQ(bar.GetPaneText(1), "44.1 kHz");
    // A pane given anew may show what it did before, or nothing: its text is set again.
    bar.SetPaneInfo(1, 2, SBPS_NORMAL, 80);
    bar.SetPaneText(1, "44.1 kHz");
    EXPECT_EQ(record.CountOf(SB_SETTEXTA), 3u);
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
    CMessageRecord record(tip.m_hWnd);
    record.Clear();
    ::SendMessageA(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SetWindowTextA(edit, "typed");
    EXPECT_EQ(record.CountOf(TTM_RELAYEVENT), 2u);
    char text[16] = "";
    ::GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "typed");
    EXPECT_EQ(::SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 1);
}
