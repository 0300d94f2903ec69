// The base of every window the framework knows: a window handle and the thunk that
// routes a window's messages to the C++ object that created it. Control wrappers use
// the handle alone; windows of our own classes override WindowProc.
#pragma once
#include <windows.h>
#include <string>

// EnableWindow, but a window already in the wanted state is left alone: disabling
// sends WM_CANCELMODE even to a disabled window, and under Wine every change is a trip
// to the window server. The result is EnableWindow's: nonzero if it was disabled.
BOOL EnableWindowOf(HWND window, BOOL enable);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object of hWnd, or null for windows we only wrap and for windows that are not
    // ours at all: only a window whose procedure is our thunk, our dialog procedure or
    // our subclass procedure holds an object in its user data. Any other window of the
    // process (a common dialog, a shell window, a control) may keep anything there.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Keyboard messages pass here, from the window they are for up to the top-level
    // window, before they are dispatched; true means "handled, do not dispatch".
    virtual BOOL PreTranslateMessage(MSG* msg);

    BOOL DestroyWindow();
    BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return EnableWindowOf(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    // Off while a control's contents are rebuilt. Back on, a control that can be seen is
    // repainted once; one that cannot (most are on hidden pages) is painted whole when
    // shown, and under Wine an invalidation is a trip to the window server.
    void SetRedraw(BOOL redraw) const;
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    UINT_PTR SetTimer(UINT_PTR id, UINT periodMs) const { return ::SetTimer(m_hWnd, id, periodMs, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    void SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    HWND m_hWnd = nullptr;

protected:
    // Windows of our own classes: creation with the thunk, and their message handling.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                  int y, int cx, int cy, HWND parent, HMENU menu);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the last message; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // Ties the object to its window, and unties it once the window is gone.
    void AttachToThunk(HWND hWnd);
    void DetachFromThunk();
    // The object in hWnd's user data, for procedures that know the window is theirs
    // because the system called them for it.
    static CWnd* ObjectOf(HWND hWnd);
    // The dialog procedure that marks a dialog as ours; set by the first dialog object.
    static DLGPROC s_pOurDialogProc;

    // The small icon of the caption and task bar; null lets the system shrink the large one.
    // Without a name the class is named after its style and icon, and shared.
    static const char* RegisterWindowClass(UINT classStyle, HICON icon, HICON smallIcon = nullptr,
                                           const char* name = nullptr);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
