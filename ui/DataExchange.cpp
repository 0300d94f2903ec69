#include "ui/DataExchange.h"

#include "ui/Dialog.h"

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_dialog(dialog)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_dialog.m_hWnd, id);
    if (!control)
        m_bFailed = true;
    return control;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    HWND hWnd = dx->PrepareCtrl(id);
    if (hWnd && !control.m_hWnd)
        control.m_hWnd = hWnd;
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate) {
        std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
        text.resize(static_cast<size_t>(::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
        value = std::move(text);
    } else {
        ::SetWindowTextA(control, value.c_str());
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from the first button to the next control with WS_GROUP.
    int index = 0;
    for (HWND button = control; button; button = ::GetWindow(button, GW_HWNDNEXT), ++index) {
        if (button != control && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP))
            break;
        if (dx->m_bSaveAndValidate) {
            if (value < 0 && ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}
