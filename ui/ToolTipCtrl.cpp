#include "ui/ToolTipCtrl.h"

#include <commctrl.h>
#include <algorithm>
#include <vector>

namespace {

// A subclassed tool: its own window procedure and the tip it reports to. Tools are
// windows of the thread that made them, and their procedures run on that thread.
struct Tool {
    HWND window;
    HWND tip;
    WNDPROC original;
};

std::vector<Tool>& Tools()
{
    static std::vector<Tool> tools;
    return tools;
}

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE;
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
    Subclass(tool);
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

void CToolTipCtrl::Subclass(HWND tool) const
{
    std::vector<Tool>& tools = Tools();
    const auto known = std::find_if(tools.begin(), tools.end(), [&](const Tool& t) { return t.window == tool; });
    if (known != tools.end()) {
        known->tip = m_hWnd;
        return;
    }
    const auto original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tool, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CToolTipCtrl::RelayProc)));
    if (original)
        tools.push_back(Tool{tool, m_hWnd, original});
}

LRESULT CALLBACK CToolTipCtrl::RelayProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::vector<Tool>& tools = Tools();
    const auto found = std::find_if(tools.begin(), tools.end(), [&](const Tool& t) { return t.window == hWnd; });
    if (found == tools.end())
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    const Tool tool = *found;
    if (IsMouseMessage(message)) {
        const DWORD position = ::GetMessagePos();
        MSG relayed{hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()),
                    POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))}};
        ::SendMessageW(tool.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    } else if (message == WM_NCDESTROY) {
        // The tool's last message: its own procedure takes it back, and the entry goes.
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tool.original));
        tools.erase(found);
    }
    return ::CallWindowProcW(tool.original, hWnd, message, wParam, lParam);
}
