#include "ui/Wnd.h"

#include <exception>

#include "ui/ProgrammingError.h"
#include "ui/WindowSubclass.h"

CWnd::~CWnd()
{
    // A window that outlives its object must not call into it any more.
    if (m_hWnd && ObjectOf(m_hWnd) == this)
        DetachFromThunk();
}

DLGPROC CWnd::s_pOurDialogProc = nullptr;

// Window procedures and dialog procedures find their object in the window's user data.
// It is looked up for every message, and reading it stays in the process, where a window
// property (as Wine keeps them) costs a round trip to the window server each time.
CWnd* CWnd::ObjectOf(HWND hWnd)
{
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

// A window's procedure and dialog procedure are read in the process, as its user data
// is. GetWindowLongPtrA hands out an ANSI window's procedure itself; our classes are
// registered ANSI. DWLP_DLGPROC is the dialog procedure only for dialogs, and a window
// without dialog extra bytes fails the read (0).
CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    const bool ours = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StaticWndProc) ||
                      (s_pOurDialogProc &&
                       ::GetWindowLongPtrA(hWnd, DWLP_DLGPROC) == reinterpret_cast<LONG_PTR>(s_pOurDialogProc)) ||
                      CWindowSubclass::IsInstalled(hWnd);
    return ours ? ObjectOf(hWnd) : nullptr;
}

BOOL EnableWindowOf(HWND window, BOOL enable)
{
    const BOOL wasDisabled = !::IsWindowEnabled(window);
    if (wasDisabled == !enable)
        return wasDisabled;
    return ::EnableWindow(window, enable);
}

void CWnd::SetRedraw(BOOL redraw) const
{
    SendMessage(WM_SETREDRAW, redraw);
    if (redraw && ::IsWindowVisible(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CWnd::AttachToThunk(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void CWnd::DetachFromThunk()
{
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

std::string CWnd::GetWindowText() const
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

const char* CWnd::RegisterWindowClass(UINT classStyle, HICON icon, HICON smallIcon, const char* className)
{
    static char name[64];
    if (className)
        lstrcpynA(name, className, sizeof name);
    else
        wsprintfA(name, "OvxWnd:%x:%p", classStyle, static_cast<void*>(icon));
    WNDCLASSEXA existing{sizeof(existing)};
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), name, &existing))
        return name;
    WNDCLASSEXA wc{sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    return ::RegisterClassExA(&wc) ? name : nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, HMENU menu)
{
    return ::CreateWindowExA(exStyle, className, title, style, x, y, cx, cy, parent, menu,
                             ::GetModuleHandleA(nullptr), this) != nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self)
            self->AttachToThunk(hWnd);
    }
    CWnd* self = ObjectOf(hWnd);
    if (!self)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        // Nothing is allowed to unwind through the system's stack frames.
        ReportProgrammingError(error.what());
        result = ::DefWindowProcA(hWnd, message, wParam, lParam);
    } catch (...) {
        ReportProgrammingError("an exception stopped at a window procedure");
        result = ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        self->DetachFromThunk();   // no virtual calls on a dying object
        self->PostNcDestroy();
    }
    return result;
}
