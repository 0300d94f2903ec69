#include "tests/harness/PanelHarness.h"

#include <algorithm>
#include <dbt.h>
#include <commctrl.h>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "app/DeviceInterface.h"
#include "app/PageTable.h"
#include "driver/Drv.h"
#include "res/resource.h"
#include "ui/ResourceText.h"

namespace {

HWND ViewWindowOf(const COVX_CPLApp& app)
{
    return app.m_pMainWnd && app.m_pMainWnd->m_hWnd ? ::GetDlgItem(app.m_pMainWnd->m_hWnd, AFX_IDW_PANE_FIRST)
                                                    : nullptr;
}

struct PendingAnswer {
    std::function<void(HWND)> answer;
    std::string windowClass;
    UINT_PTR timer = 0;
    bool answered = false;
};
PendingAnswer g_pending;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found)
{
    char name[16] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    if (g_pending.windowClass == name && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerWhenUp(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog && g_pending.windowClass == "#32768")   // menus may belong to the desktop's thread
        dialog = ::FindWindowA("#32768", nullptr);
    if (dialog && !::IsWindowVisible(dialog))
        dialog = nullptr;
    if (!dialog)
        return;
    ::KillTimer(nullptr, g_pending.timer);
    g_pending.timer = 0;
    auto answer = std::move(g_pending.answer);
    g_pending.answered = true;
    answer(dialog);
}

}  // namespace

void AnswerNextDialog(std::function<void(HWND dialog)> answer, const char* windowClass)
{
    if (g_pending.timer)
        ::KillTimer(nullptr, g_pending.timer);
    g_pending.answer = std::move(answer);
    g_pending.windowClass = windowClass;
    g_pending.answered = false;
    g_pending.timer = ::SetTimer(nullptr, 0, 30, AnswerWhenUp);
}

bool DialogWasAnswered()
{
    return g_pending.answered;
}

void CancelDialogAnswer()
{
    if (g_pending.timer)
        ::KillTimer(nullptr, g_pending.timer);
    g_pending = {};
}

std::string WindowText(HWND hWnd)
{
    const int length = ::GetWindowTextLengthA(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hWnd, text.data(), length + 1)));
    return text;
}

std::string ClassOf(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

std::vector<unsigned char> InterfaceRecord(const std::string& name)
{
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + name.size() + 1;
    std::vector<unsigned char> buffer(size);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(buffer.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record->dbcc_classguid = kOvxInterfaceClass;
    std::memcpy(record->dbcc_name, name.c_str(), name.size() + 1);
    return buffer;
}

CPanelHarness::CPanelHarness(SimBus bus)
    : sim(std::move(bus)), m_broadcast(sim, [this] { return announcesInterface ? ViewWindowOf(app) : nullptr; })
{
    // The model is the program's one global; an earlier panel of this process left its own.
    theDrv.ClearDevices();
    theDrv.ClearSyncModes();
    theDrv.ClearChannels(theDrv.m_inputChannels);
    theDrv.ClearChannels(theDrv.m_outputChannels);
}

CPanelHarness::~CPanelHarness()
{
    if (m_bStarted && !m_bQuit)
        Quit();
    if (m_bStarted)
        app.ExitInstance();
}

bool CPanelHarness::Start(const char* commandLine)
{
    app.m_lpCmdLine = commandLine;
    app.m_nCmdShow = SW_SHOW;
    m_bStarted = true;
    const bool running = app.InitInstance() != FALSE;
    if (!running) {
        // Say why, so that a failure of the environment is not mistaken for one of the panel's.
        const DWORD error = ::GetLastError();
        std::fprintf(stderr, "the panel did not start: %s, last error %lu\n",
                     app.m_pMainWnd ? "it has a main window" : "it has no main window", error);
    }
    Pump();
    return running;
}

void CPanelHarness::Pump()
{
    MSG msg{};
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            m_bQuit = true;
            continue;
        }
        if (!app.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    app.OnIdle();
}

bool CPanelHarness::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        Pump();
        if (done())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

int CPanelHarness::Quit()
{
    int code = -1;
    if (HWND frame = FrameWindow())
        ::PostMessageA(frame, WM_COMMAND, ID_APP_EXIT, 0);
    MSG msg{};
    const ULONGLONG end = ::GetTickCount64() + 5000;
    while (::GetTickCount64() < end) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            code = static_cast<int>(msg.wParam);
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_bQuit = true;
    return code;
}

CMainFrame* CPanelHarness::Frame() const
{
    return dynamic_cast<CMainFrame*>(app.m_pMainWnd);
}

COVX_CPLView* CPanelHarness::View() const
{
    CMainFrame* frame = Frame();
    return frame ? dynamic_cast<COVX_CPLView*>(frame->GetActiveView()) : nullptr;
}

HWND CPanelHarness::FrameWindow() const
{
    CMainFrame* frame = Frame();
    return frame ? frame->m_hWnd : nullptr;
}

std::string CPanelHarness::Pane(int index) const
{
    CMainFrame* frame = Frame();
    return frame ? frame->StatusBar().GetPaneText(index) : std::string();
}

std::vector<HWND> CPanelHarness::VisiblePages() const
{
    std::vector<HWND> pages;
    COVX_CPLView* view = View();
    if (!view)
        return pages;
    for (HWND child = ::GetWindow(view->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        ::GetClassNameA(child, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0 && ::IsWindowVisible(child))
            pages.push_back(child);
    }
    return pages;
}

HTREEITEM CPanelHarness::TreeItem(const std::string& text) const
{
    COVX_CPLView* view = View();
    if (!view)
        return nullptr;
    const CTreeCtrlEx& tree = view->Tree();
    for (HTREEITEM item = tree.GetRootItem(); item; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == text)
            return item;
    }
    return nullptr;
}

HWND CPanelHarness::SelectPage(const std::string& title)
{
    COVX_CPLView* view = View();
    HTREEITEM item = TreeItem(title);
    if (!view || !item)
        return nullptr;
    // What a click on the item does: the tree selects it and tells its parent.
    TreeView_SelectItem(view->TreeWindow(), item);
    Pump();
    const std::vector<HWND> pages = VisiblePages();
    return pages.size() == 1 ? pages[0] : nullptr;
}

std::string CPanelHarness::SelectedTreeText() const
{
    COVX_CPLView* view = View();
    return view ? view->Tree().GetItemText(view->Tree().GetSelectedItem()) : std::string();
}

void CPanelHarness::SendCommand(UINT id) const
{
    ::SendMessageA(FrameWindow(), WM_COMMAND, id, 0);
}

std::vector<std::string> CPanelHarness::TreePageTitles()
{
    std::vector<std::pair<int, std::string>> placed;
    for (const PageTableRow& page : PageTable()) {
        if (page.treePlace >= 0)
            placed.emplace_back(page.treePlace, LoadResString(page.titleId));
    }
    std::sort(placed.begin(), placed.end());
    std::vector<std::string> titles;
    for (auto& [place, title] : placed)
        titles.push_back(std::move(title));
    return titles;
}
