// The framework on real controls, in the manner of Wine's message-sequence tests: a
// parent and its controls record what reaches them, a test clears the record, acts,
// and compares the ordered sequence with a table of expected entries. No entry of
// these tables is optional: none was seen to differ, and what Wine's own tests mark
// as differing (a track bar's notifications while it is created) is not compared.
#include <gtest/gtest.h>

#include <windows.h>
#include <string>
#include <vector>

#include "tests/UiTestDialog.h"
#include "tests/harness/MessageSequence.h"
#include "ui/FormView.h"
#include "ui/FrameWnd.h"
#include "ui/ProgrammingError.h"
#include "ui/WinApp.h"
#include "ui/Wnd.h"

namespace {

constexpr int kMissingId = 999;

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
