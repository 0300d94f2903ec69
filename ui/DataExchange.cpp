#include "ui/DataExchange.h"

#include <cstdio>

#include "ui/Dialog.h"
#include "ui/ProgrammingError.h"

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_dialog(dialog)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = m_dialog.Control(id);
    if (!control) {
        m_bFailed = true;
        char what[80];
        std::snprintf(what, sizeof what, "data exchange with id %d, which template %u lacks", id,
                      m_dialog.TemplateId());
        ReportProgrammingError(what);
    }
    return control;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    HWND hWnd = dx->PrepareCtrl(id);
    if (hWnd && !control.m_hWnd)
        control.m_hWnd = hWnd;
}

namespace {

std::string ControlText(HWND control)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = ControlText(control);
    else if (ControlText(control) != value)   // an unchanged text is neither stored nor redrawn
        ::SetWindowTextA(control, value.c_str());
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!control)
        return;
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else if (::SendMessageA(control, BM_GETCHECK, 0, 0) != value)
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
            const LRESULT state = index == value ? BST_CHECKED : BST_UNCHECKED;
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) != state)
                ::SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(state), 0);
        }
    }
}
