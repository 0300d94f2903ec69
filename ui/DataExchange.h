// Moves values between a dialog's members and its controls, one direction per run:
// out of the controls when m_bSaveAndValidate is true, into them when it is false.
#pragma once
#include <windows.h>
#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate);

    // The control with this id. A template without it is a programming error: the
    // exchange is marked failed, and UpdateData reports it.
    HWND PrepareCtrl(int id);

    const bool m_bSaveAndValidate;
    bool m_bFailed = false;
    CDialog& m_dialog;
};

// Attaches the control to its wrapper on the first exchange.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The index of the checked button in the group that starts with id, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
