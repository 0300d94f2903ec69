#include "tests/chaos/ChaosPanel.h"

#include <commctrl.h>
#include <algorithm>
#include <set>

#include "res/resource.h"
#include "simapp/SimStatementMessage.h"
#include "tests/harness/PanelHarness.h"
#include "tests/harness/PanelProcess.h"
#include "ui/FrameworkIds.h"

namespace {

constexpr char kFrameClass[] = "OVX_CPL_MainFrame";
constexpr DWORD kStartPatienceMs = 30000;

}  // namespace

CChaosPanel::~CChaosPanel()
{
    if (m_process.hProcess) {
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.hProcess, 99);
            ::WaitForSingleObject(m_process.hProcess, 15000);
        }
        ::CloseHandle(m_process.hProcess);
    }
}

bool CChaosPanel::Start(const std::string& tracePath, std::string& why)
{
    ::SetEnvironmentVariableA("OVX_SIM_WINDOW", "hidden");
    ::SetEnvironmentVariableA("OVX_SIM_TRACE", tracePath.c_str());
    ::SetEnvironmentVariableA("OVX_SIM_SCENARIO", nullptr);
    std::string commandLine = "\"" + SimPanelPath() + "\"";
    STARTUPINFOA startup{sizeof startup};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &m_process)) {
        why = "the panel did not start (error " + std::to_string(::GetLastError()) + ")";
        return false;
    }
    ::CloseHandle(m_process.hThread);
    m_process.hThread = nullptr;
    if (!Eventually([&] { return FindWindows(); }, kStartPatienceMs)) {
        why = "the panel did not show its tree with five pages and its bus window within 30 s";
        return false;
    }
    if (!MapPages()) {
        why = "the panel's tree items did not each show a page";
        return false;
    }
    return true;
}

bool CChaosPanel::FindWindows()
{
    if (!Running())
        return false;
    m_frame = ::FindWindowA(kFrameClass, nullptr);
    m_bus = FindSimBusWindow();
    HWND tree = m_frame ? Tree() : nullptr;
    // A page counts as shown only once the frame is: IsWindowVisible looks at every parent.
    if (!m_bus || !tree || !::IsWindowVisible(m_frame) || ::SendMessageA(tree, TVM_GETCOUNT, 0, 0) != 5 ||
        !::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0))
        return false;
    m_threadId = ::GetWindowThreadProcessId(m_frame, nullptr);
    m_pages.clear();
    for (HWND child = ::GetWindow(View(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "#32770")
            m_pages.push_back(child);
    }
    return m_pages.size() == 6;
}

bool CChaosPanel::Running() const
{
    return m_process.hProcess && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

bool CChaosPanel::Quit(std::string& why)
{
    if (!Running()) {
        why = "the panel ended before it was asked to";
        return false;
    }
    ::PostMessageA(m_frame, WM_COMMAND, ID_TRAY_QUIT, 0);
    if (::WaitForSingleObject(m_process.hProcess, 30000) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process.hProcess, 99);
        why = "the panel did not end within 30 s of Quit";
        return false;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    if (code != 0) {
        why = "the panel ended with code " + std::to_string(code) + " after Quit";
        return false;
    }
    return true;
}

ChaosAnswer CChaosPanel::Statement(const std::string& statement, DWORD patienceMs)
{
    ChaosAnswer answer;
    LRESULT result = 0;
    answer.delivered = m_reply.Exchange(m_bus, kSimStatementData, statement.data(), statement.size(), kSimAnswerData,
                                        patienceMs, result) &&
                       (result == kSimApplied || result == kSimRefused);
    answer.applied = answer.delivered && result == kSimApplied;
    answer.text = m_reply.Reply();
    return answer;
}

bool CChaosPanel::Answers(DWORD patienceMs) const
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(m_frame, WM_NULL, 0, 0, SMTO_NORMAL, patienceMs, &ignored) != 0;
}

HWND CChaosPanel::View() const
{
    return ::GetDlgItem(m_frame, AFX_IDW_PANE_FIRST);
}

HWND CChaosPanel::Tree() const
{
    return ::GetDlgItem(View(), IDC_PAGE_TREE);
}

HWND CChaosPanel::StatusBar() const
{
    return ::GetDlgItem(m_frame, AFX_IDW_STATUS_BAR);
}

HWND CChaosPanel::Page(int item) const
{
    return item >= 0 && item < static_cast<int>(m_itemPages.size()) ? m_itemPages[item] : nullptr;
}

std::vector<HTREEITEM> CChaosPanel::TreeItems() const
{
    std::vector<HTREEITEM> items;
    HWND tree = Tree();
    for (auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); item;
         item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
        items.push_back(item);
    return items;
}

bool CChaosPanel::SelectPage(int item) const
{
    const std::vector<HTREEITEM> items = TreeItems();
    if (item < 0 || item >= static_cast<int>(items.size()))
        return false;
    // The selection reaches the view, which shows the item's page, inside this call.
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items[item]), SMTO_NORMAL,
                                 10000, &ignored) != 0;
}

bool CChaosPanel::MapPages()
{
    // The two channel pages share a template: each item's page is the one its selection
    // shows. The panel starts on the first item and is left there.
    m_itemPages.clear();
    for (int item = 0; item < 5; ++item) {
        if (!SelectPage(item))
            return false;
        m_itemPages.push_back(ShownPage());
    }
    return SelectPage(0) && std::find(m_itemPages.begin(), m_itemPages.end(), nullptr) == m_itemPages.end();
}

HWND CChaosPanel::ShownPage() const
{
    for (HWND page : m_pages) {
        if (::IsWindowVisible(page))
            return page;
    }
    return nullptr;
}

HWND CChaosPanel::Modal() const
{
    struct Search {
        HWND bus;
        HWND found;
    } search{m_bus, nullptr};
    ::EnumThreadWindows(
        m_threadId,
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            // The box in front is the enabled one: a box it opened disables it.
            if (window != s->bus && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
                ClassOf(window) == "#32770") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

std::set<ULONG_PTR> g_completed;

void CALLBACK Completed(HWND, UINT, ULONG_PTR serial, LRESULT)
{
    g_completed.insert(serial);
}

}  // namespace

CChaosPanel::Delivery CChaosPanel::Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    static ULONG_PTR serial = 0;
    const ULONG_PTR mine = ++serial;
    if (!::SendMessageCallbackA(window, message, wParam, lParam, Completed, mine))
        return Delivery::NoAnswer;
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 30000) {
        // The completion comes back as a message to this thread.
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (g_completed.erase(mine))
            return Delivery::Handled;
        if (HWND modal = Modal(); modal && Answers(5000))
            return Delivery::ModalOpen;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return Delivery::NoAnswer;
}

long CChaosPanel::SecondStart(const std::string& arguments) const
{
    const CPanelProcess start(arguments);
    return start.ExitCode(30000);
}
