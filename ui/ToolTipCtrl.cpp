#include "ui/ToolTipCtrl.h"

#include <commctrl.h>
#include "ui/WindowSubclass.h"

namespace {

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE;
}

// A tool's messages on their way to it: the mouse's are shown to the tip (context).
void RelayToTip(void* tip, HWND tool, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsMouseMessage(message))
        return;
    const DWORD position = ::GetMessagePos();
    MSG relayed{tool, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
    ::SendMessageW(static_cast<HWND>(tip), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    m_hWndOwner = parent->m_hWnd;
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWndOwner, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    return m_hWnd != nullptr;
}

BOOL CToolTipCtrl::AddTool(HWND tool, const std::string& text) const
{
    TTTOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = m_hWndOwner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    // The control copies the text.
    info.lpszText = const_cast<char*>(text.c_str());
    if (!SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
        return FALSE;
    // A tool already subclassed for another tip reports to this one from now on.
    CWindowSubclass::Install(tool, &RelayToTip, m_hWnd);
    return TRUE;
}

void CToolTipCtrl::SetMaxTipWidth(int width) const
{
    SendMessage(TTM_SETMAXTIPWIDTH, 0, width);
}

void CToolTipCtrl::Activate(BOOL active) const
{
    SendMessage(TTM_ACTIVATE, active);
}
