#include "ui/Dialog.h"

#include "res/resource.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"
#include "ui/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && !m_bModal)
        ::DestroyWindow(m_hWnd);
}

namespace {

HWND ModalOwner(CWnd* parent)
{
    if (parent && parent->m_hWnd)
        return parent->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    return main && main->m_hWnd ? ::GetLastActivePopup(main->m_hWnd) : nullptr;
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    const INT_PTR result =
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate),
                          ModalOwner(m_pParentWnd), StaticDialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    m_bModal = false;
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                parent ? parent->m_hWnd : nullptr, StaticDialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    m_bModal = false;
    return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), dialogTemplate, parent,
                                        StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int result)
{
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(*this, saveAndValidate != FALSE);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // A child dialog's keys belong to the dialog manager of its top-level ancestor.
    if (!m_hWnd || (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::OnCommand(UINT, UINT, HWND)
{
    return false;
}

bool CDialog::OnNotify(NMHDR*, LRESULT&)
{
    return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->AttachToThunk(hWnd);
    } else {
        self = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    }
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (...) {
        // Nothing is allowed to unwind through the system's stack frames.
        result = FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->m_controls.clear();
        self->DetachFromThunk();   // no virtual calls on a dying object
        self->PostNcDestroy();
    }
    return result;
}

HWND CDialog::Control(int id)
{
    for (const auto& [controlId, control] : m_controls) {
        if (controlId == id)
            return control;
    }
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (control)
        m_controls.emplace_back(id, control);
    return control;
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        HWND control = reinterpret_cast<HWND>(lParam);
        if (OnCommand(id, code, control))
            return TRUE;
        // Enter, Escape and the close box arrive as these two, with no notification code.
        if (id == IDOK && code == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && code == BN_CLICKED) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return FALSE;
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        LRESULT result = 0;
        if (!OnMessage(message, wParam, lParam, result))
            return FALSE;
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

int AfxMessageBox(const char* text, UINT type)
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = main && main->m_hWnd ? ::GetLastActivePopup(main->m_hWnd) : nullptr;
    return ::MessageBoxA(owner, text, LoadResString(AFX_IDS_APP_TITLE).c_str(), type);
}

int AfxMessageBox(UINT stringId, UINT type)
{
    return AfxMessageBox(LoadResString(stringId).c_str(), type);
}
