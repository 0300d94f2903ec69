#include "ui/FormView.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include "ui/FrameWnd.h"

namespace {

// The head of an extended template; a classic one starts with the style instead.
struct DialogExHead {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x, y, cx, cy;
};

bool IsExtendedTemplate(const std::vector<BYTE>& bytes)
{
    return bytes.size() >= sizeof(DialogExHead) && bytes[0] == 1 && bytes[1] == 0 && bytes[2] == 0xFF &&
           bytes[3] == 0xFF;
}

}  // namespace

CFormView::CFormView(UINT templateId) : CDialog(templateId) {}

BOOL CFormView::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

BOOL CFormView::Create(CFrameWnd* frame, UINT childId)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_nIDTemplate), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    const auto* begin = static_cast<const BYTE*>(data);
    std::vector<BYTE> bytes(begin, begin + ::SizeofResource(instance, resource));
    if (bytes.size() < sizeof(DLGTEMPLATE))
        return FALSE;

    CREATESTRUCTA cs{};
    DWORD* style = nullptr;
    DWORD* exStyle = nullptr;
    if (IsExtendedTemplate(bytes)) {
        auto* head = reinterpret_cast<DialogExHead*>(bytes.data());
        style = &head->style;
        exStyle = &head->exStyle;
        m_sizeTemplate = {head->cx, head->cy};
    } else {
        auto* head = reinterpret_cast<DLGTEMPLATE*>(bytes.data());
        style = &head->style;
        exStyle = &head->dwExtendedStyle;
        m_sizeTemplate = {head->cx, head->cy};
    }
    DWORD styleValue = 0;
    DWORD exStyleValue = 0;
    std::memcpy(&styleValue, style, sizeof styleValue);
    std::memcpy(&exStyleValue, exStyle, sizeof exStyleValue);
    cs.style = static_cast<LONG>(styleValue | WS_CHILD);
    cs.dwExStyle = exStyleValue;
    if (!PreCreateWindow(cs))
        return FALSE;
    styleValue = static_cast<DWORD>(cs.style);
    exStyleValue = cs.dwExStyle | WS_EX_CONTROLPARENT;
    std::memcpy(style, &styleValue, sizeof styleValue);
    std::memcpy(exStyle, &exStyleValue, sizeof exStyleValue);

    m_pParentWnd = frame;
    if (!CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), frame->m_hWnd))
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(childId));
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
}

CFrameWnd* CFormView::GetParentFrame() const
{
    return dynamic_cast<CFrameWnd*>(FromHandlePermanent(::GetParent(m_hWnd)));
}

void CFormView::ResizeParentToFit(BOOL shrinkOnly)
{
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    RECT form{0, 0, m_sizeTemplate.cx, m_sizeTemplate.cy};
    ::MapDialogRect(m_hWnd, &form);
    RECT view{};
    RECT frameWindow{};
    ::GetWindowRect(m_hWnd, &view);
    ::GetWindowRect(frame->m_hWnd, &frameWindow);
    // What the frame has around the view (caption, menu, borders, status bar) stays.
    const int extraX = (frameWindow.right - frameWindow.left) - (view.right - view.left);
    const int extraY = (frameWindow.bottom - frameWindow.top) - (view.bottom - view.top);
    int cx = form.right + extraX;
    int cy = form.bottom + extraY;
    if (shrinkOnly) {
        cx = std::min(cx, static_cast<int>(frameWindow.right - frameWindow.left));
        cy = std::min(cy, static_cast<int>(frameWindow.bottom - frameWindow.top));
    }
    frame->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CFormView::PreTranslateMessage(MSG* msg)
{
    // The dialog manager would swallow the frame's accelerators, so they come first.
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->PreTranslateMessage(msg))
        return TRUE;
    return ::IsDialogMessageA(m_hWnd, msg);
}
