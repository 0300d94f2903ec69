#include "ui/FrameWnd.h"

#include <algorithm>

#include "ui/FormView.h"
#include "ui/FrameworkIds.h"
#include "ui/ResourceText.h"
#include "ui/StatusBar.h"
#include "ui/WinApp.h"

namespace {

// Big enough for any form: the view's initial update only ever shrinks the frame.
constexpr int kInitialFrameSize = 4000;

}  // namespace

CFrameWnd::CFrameWnd() : m_nIDTracking(AFX_IDS_IDLEMESSAGE) {}

CFrameWnd::~CFrameWnd()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, const CSingleDocTemplate::ViewFactory& makeView)
{
    m_nIDResource = resourceId;
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    // The first part of the template string is the frame's own title.
    m_strTitle = LoadResString(resourceId);
    m_strTitle.resize(std::min(m_strTitle.size(), m_strTitle.find('\n')));

    // Each size from its own image in the resource, so neither is a scaled copy.
    HICON icon = static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, 0, 0,
                                                 LR_DEFAULTCOLOR | LR_DEFAULTSIZE | LR_SHARED));
    HICON smallIcon = static_cast<HICON>(
        ::LoadImageA(instance, MAKEINTRESOURCEA(resourceId), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    CREATESTRUCTA cs{};
    cs.style = style;
    cs.x = CW_USEDEFAULT;
    cs.y = CW_USEDEFAULT;
    cs.cx = kInitialFrameSize;
    cs.cy = kInitialFrameSize;
    cs.lpszName = m_strTitle.c_str();
    CMenuHandle menu(::LoadMenuA(instance, MAKEINTRESOURCEA(resourceId)));
    cs.hMenu = menu.Get();
    if (!PreCreateWindow(cs))
        return FALSE;
    m_dwFrameStyle = cs.style & (FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    const DWORD windowStyle = cs.style & ~(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    m_hAccelTable.Reset(::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId)));

    m_pMakeView = &makeView;
    // A frame may name its class (PreCreateWindow), so that other programs can tell it
    // from any window that merely carries the same title.
    const char* className = RegisterWindowClass(CS_DBLCLKS, icon, smallIcon, cs.lpszClass);
    const BOOL created = className && CreateEx(cs.dwExStyle, className, cs.lpszName, windowStyle, cs.x,
                                               cs.y, cs.cx, cs.cy, nullptr, cs.hMenu);
    m_pMakeView = nullptr;
    // A window destroys the menu it was created with, also one that its creation
    // destroyed again (a failed WM_CREATE).
    if (cs.hMenu == menu.Get() && (m_hWnd || !::IsMenu(menu.Get())))
        menu.Release();
    return created && m_hWnd;
}

int CFrameWnd::OnCreate(CREATESTRUCTA*)
{
    if (!m_pMakeView || !*m_pMakeView)
        return 0;
    m_pView = (*m_pMakeView)();
    if (!m_pView || !m_pView->Create(this, AFX_IDW_PANE_FIRST))
        return -1;
    return 0;
}

void CFrameWnd::InitialUpdateFrame()
{
    if (m_pView)
        m_pView->OnInitialUpdate();
    OnUpdateFrameTitle();
    RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle()
{
    if (!(m_dwFrameStyle & FWS_ADDTOTITLE))
        return;
    const std::string document = "Untitled";
    SetWindowText((m_dwFrameStyle & FWS_PREFIXTITLE) ? document + " - " + m_strTitle
                                                     : m_strTitle + " - " + document);
}

CStatusBar* CFrameWnd::MessageBar() const
{
    return dynamic_cast<CStatusBar*>(FromHandlePermanent(GetDlgItem(AFX_IDW_STATUS_BAR)));
}

void CFrameWnd::RecalcLayout()
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int bottom = client.bottom;
    if (CStatusBar* bar = MessageBar()) {
        bar->SendMessage(WM_SIZE);   // a status bar places itself along the bottom
        bar->RecalcPanes();
        bottom -= bar->Height();
    }
    if (m_pView && m_pView->m_hWnd)
        m_pView->SetWindowPos(nullptr, 0, 0, client.right, std::max(0, bottom),
                              SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    if (CStatusBar* bar = MessageBar())
        bar->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT stringId)
{
    SetMessageText(stringId ? LoadPromptString(stringId) : std::string());
    m_nIDLastMessage = stringId;
}

void CFrameWnd::OnIdleUpdate()
{
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && !menu) {
        // The menu closed: the idle step shows "Ready" again.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        return;
    }
    const bool command = !(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU));
    m_nIDTracking = command ? id : 0;
    SetMessageText(m_nIDTracking);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    if (m_hAccelTable && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable.Get(), msg);
    return FALSE;
}

bool CFrameWnd::OnCommand(UINT, UINT, HWND)
{
    return false;
}

bool CFrameWnd::RouteEditCommand(UINT id)
{
    // The editing shortcuts reach the frame as accelerators; an edit control with the
    // focus still gets what the keys mean to it.
    UINT message = 0;
    switch (id) {
    case ID_EDIT_COPY: message = WM_COPY; break;
    case ID_EDIT_CUT: message = WM_CUT; break;
    case ID_EDIT_PASTE: message = WM_PASTE; break;
    case ID_EDIT_UNDO: message = WM_UNDO; break;
    default: return false;
    }
    HWND focus = ::GetFocus();
    char className[16] = "";
    if (focus && ::IsChild(m_hWnd, focus) && ::GetClassNameA(focus, className, sizeof className) &&
        lstrcmpiA(className, "Edit") == 0)
        ::SendMessageA(focus, message, 0, 0);
    return true;
}

void CFrameWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    Default(WM_SYSCOMMAND, id, lParam);
}

void CFrameWnd::OnDestroy() {}

// A menu or accelerator command goes to the view first, then to the frame, the edit
// commands and the application.
void CFrameWnd::RouteCommandMessage(UINT id, UINT code, HWND control)
{
    if (control)   // a control of the frame itself; views handle their own
        return;
    if (m_pView && m_pView->RouteCommand(id, code))
        return;
    if (OnCommand(id, code, control) || RouteEditCommand(id))
        return;
    if (CWinApp* app = AfxGetApp())
        app->OnCommand(id);
}

// Back to the control that had the focus when the frame was last left, or to the view.
void CFrameWnd::RestoreFocus()
{
    if (m_hWndFocus && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus) &&
        ::IsWindowVisible(m_hWndFocus) && ::IsWindowEnabled(m_hWndFocus))
        ::SetFocus(m_hWndFocus);
    else if (m_pView && m_pView->m_hWnd)
        ::SetFocus(m_pView->m_hWnd);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_COMMAND:
        RouteCommandMessage(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        return 0;
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(m_hWnd, focus))
                m_hWndFocus = focus;
        }
        return Default(message, wParam, lParam);
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_pView)
            m_pView->ResizeParentToFit(FALSE);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return Default(message, wParam, lParam);
    case WM_NCDESTROY:
        if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
            ::PostQuitMessage(0);
            app->m_pMainWnd = nullptr;
        }
        return Default(message, wParam, lParam);
    default:
        return Default(message, wParam, lParam);
    }
}
