#include "ui/StatusBar.h"

#include <algorithm>
#include <commctrl.h>
#include "ui/Dpi.h"
#include "ui/WindowSubclass.h"

CStatusBar::~CStatusBar()
{
    // A bar its parent already destroyed has let go of the handle at WM_NCDESTROY.
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

void CStatusBar::Observe(void* context, HWND, UINT message, WPARAM wParam, LPARAM)
{
    auto* bar = static_cast<CStatusBar*>(context);
    switch (message) {
    case WM_NCDESTROY:
        // The last message: the handle and the user data that names this object go.
        bar->DetachFromThunk();
        break;
    // Whoever sets a text, this object included, makes what it knew of the pane old;
    // SetPaneText learns it again once its own text is in.
    case WM_SETTEXT:
        bar->ForgetPaneTexts(0);
        break;
    case SB_SETTEXTA:
    case SB_SETTEXTW:
        bar->ForgetPaneTexts(LOBYTE(LOWORD(wParam)));
        break;
    case SB_SETPARTS:
        bar->ForgetPaneTexts(-1);
        break;
    default:
        break;
    }
}

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    // A fixed-size frame has nothing to drag, so the bar has no size grip.
    DWORD windowStyle = (style & ~CBRS_BOTTOM) | CCS_BOTTOM;
    m_hWnd = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", windowStyle, 0, 0, 0, 0, parent->m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return FALSE;
    AttachToThunk(m_hWnd);   // so that the frame finds this object by the child id
    for (Pane& pane : m_panes)
        pane.text.reset();   // a new bar shows nothing of what an earlier one did
    if (!CWindowSubclass::Install(m_hWnd, &CStatusBar::Observe, this)) {
        ::DestroyWindow(m_hWnd);
        DetachFromThunk();
        return FALSE;
    }
    return TRUE;
}

void CStatusBar::ForgetPaneTexts(int index)
{
    for (int pane = 0; pane < PaneCount(); ++pane) {
        if (index < 0 || pane == index)
            m_panes[static_cast<size_t>(pane)].text.reset();
    }
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (count <= 0)
        return FALSE;
    m_panes.assign(static_cast<size_t>(count), Pane{});
    for (int i = 0; i < count; ++i)
        m_panes[static_cast<size_t>(i)].id = ids[i];
    RecalcPanes();
    return TRUE;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= PaneCount())
        return;
    m_panes[static_cast<size_t>(index)] = Pane{id, style, width};
    RecalcPanes();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    if (index < 0 || index >= PaneCount())
        return;
    const Pane& pane = m_panes[static_cast<size_t>(index)];
    id = pane.id;
    style = pane.style;
    width = pane.width;
}

void CStatusBar::RecalcPanes()
{
    if (!m_hWnd || m_panes.empty())
        return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        if (!(pane.style & SBPS_STRETCH))
            fixed += ScaleToWindow(m_hWnd, pane.width);
    std::vector<int> edges;
    int right = 0;
    for (const Pane& pane : m_panes) {
        int width = ScaleToWindow(m_hWnd, pane.width);
        if (pane.style & SBPS_STRETCH)
            width = std::max(width, static_cast<int>(client.right) - fixed);
        right += width;
        edges.push_back(right);
    }
    ::SendMessageA(m_hWnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL update)
{
    if (!m_hWnd || index < 0 || index >= PaneCount())
        return FALSE;
    // Under Wine every text set is a round trip to the window server, and the pages
    // set theirs on each refresh, mostly to what the pane already shows.
    std::optional<std::string>& shown = m_panes[static_cast<size_t>(index)].text;
    if (shown == text)
        return TRUE;
    const BOOL done = static_cast<BOOL>(
        ::SendMessageA(m_hWnd, SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
    if (done)
        shown = text;   // the subclass forgot the old text as the message passed
    if (update)
        ::UpdateWindow(m_hWnd);
    return done;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (!m_hWnd || index < 0 || index >= PaneCount())
        return {};
    const LRESULT info = ::SendMessageA(m_hWnd, SB_GETTEXTLENGTHA, static_cast<WPARAM>(index), 0);
    std::string text(static_cast<size_t>(LOWORD(info)) + 1, '\0');
    ::SendMessageA(m_hWnd, SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(LOWORD(info)));
    return text;
}

int CStatusBar::Height() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect.bottom - rect.top;
}
