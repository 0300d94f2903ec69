#include "ui/WinApp.h"

#include <commctrl.h>
#include "ui/DocTemplate.h"
#include "ui/FileDialog.h"
#include "ui/FrameWnd.h"
#include "ui/FrameworkIds.h"

namespace {

CWinApp* g_app = nullptr;

// Messages that mean the user did something; painting, timers and a mouse that did
// not move do not start another idle step.
bool IsIdleMessage(const MSG& msg)
{
    static POINT lastPoint{-1, -1};
    static UINT lastMessage = 0;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        if (msg.message == lastMessage && msg.pt.x == lastPoint.x && msg.pt.y == lastPoint.y)
            return false;
        lastPoint = msg.pt;
        lastMessage = msg.message;
        return true;
    }
    return msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118 /* WM_SYSTIMER */;
}

}  // namespace

CWinApp::CWinApp()
{
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    m_pDocTemplate.reset();
    m_pMainWnd = nullptr;
    return 0;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate)
{
    m_pDocTemplate = std::move(docTemplate);
}

void CWinApp::OnIdle()
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        frame->OnIdleUpdate();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg)
{
    const bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                       (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input)
        return FALSE;
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return FALSE;
}

int CWinApp::Run()
{
    bool idle = true;
    MSG msg{};
    for (;;) {
        if (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            OnIdle();
            idle = false;
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 0;
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (IsIdleMessage(msg))
            idle = true;
    }
}

bool CWinApp::OnCommand(UINT id)
{
    switch (id) {
    case ID_APP_EXIT:
        OnAppExit();
        return true;
    case ID_FILE_NEW:
        OnFileNew();
        return true;
    case ID_FILE_OPEN:
        OnFileOpen();
        return true;
    default:
        return false;
    }
}

void CWinApp::OnFileNew()
{
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    if (!m_pDocTemplate)
        return;
    char path[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = "All Files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (PromptOpenFileName(ofn))
        m_pDocTemplate->OpenDocumentFile(path);
}

void CWinApp::OnAppExit()
{
    // Closing the main window ends the loop; its close never asks anything.
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

int AfxWinMain(HINSTANCE instance, LPSTR commandLine, int showCommand)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : "";
    app->m_nCmdShow = showCommand;
    int exitCode = 0;
    if (app->InitInstance())
        exitCode = app->Run();
    app->ExitInstance();
    return exitCode;
}
