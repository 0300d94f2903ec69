#include "ui/ToolTipCtrl.h"

#include <commctrl.h>

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
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = m_hWndOwner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    // The control copies the text.
    info.lpszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::SetMaxTipWidth(int width) const
{
    SendMessage(TTM_SETMAXTIPWIDTH, 0, width);
}

void CToolTipCtrl::Activate(BOOL active) const
{
    SendMessage(TTM_ACTIVATE, active);
}
