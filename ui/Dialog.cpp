#include "ui/Dialog.h"

#include <exception>

#include "ui/DataExchange.h"
#include "ui/FrameworkIds.h"
#include "ui/ProgrammingError.h"
#include "ui/ResourceText.h"
#include "ui/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
    s_pOurDialogProc = &StaticDialogProc;
}

CDialog::~CDialog()
{
    if (m_hWnd && !m_bModal)
        ::DestroyWindow(m_hWnd);
}

namespace {

// The dialog whose window is being created on this thread. WM_INITDIALOG's lParam is
// whatever the creator passed; it is taken as this object only if it is the one.
thread_local CDialog* t_pCreating = nullptr;

class CCreatingScope {
public:
    explicit CCreatingScope(CDialog* dialog) : m_pPrevious(t_pCreating) { t_pCreating = dialog; }
    ~CCreatingScope() { t_pCreating = m_pPrevious; }
    CCreatingScope(const CCreatingScope&) = delete;
    CCreatingScope& operator=(const CCreatingScope&) = delete;

private:
    CDialog* m_pPrevious;
};

// The messages whose result is the dialog procedure's own return value rather than
// DWLP_MSGRESULT (the DialogProc documentation lists them).
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

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
    CCreatingScope creating(this);
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
    CCreatingScope creating(this);
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                parent ? parent->m_hWnd : nullptr, StaticDialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    m_bModal = false;
    CCreatingScope creating(this);
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
        if (t_pCreating && reinterpret_cast<CDialog*>(lParam) == t_pCreating) {
            self = t_pCreating;
            t_pCreating = nullptr;   // dialogs its OnInitDialog creates are not it
            self->AttachToThunk(hWnd);
        }
    } else {
        self = static_cast<CDialog*>(ObjectOf(hWnd));
    }
    if (!self)
        return FALSE;
    INT_PTR result = FALSE;
    try {
        result = self->DialogProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        // Nothing is allowed to unwind through the system's stack frames.
        ReportProgrammingError(error.what());
        result = FALSE;
    } catch (...) {
        ReportProgrammingError("an exception stopped at a dialog procedure");
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
        if (ReturnsResultDirectly(message))
            return static_cast<INT_PTR>(result);
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
