// The editor of one 40-byte name field of a driver record: it shows the name,
// accepts any text and, on OK only, writes at most 39 characters and a zero byte.
// The record is the caller's copy; the editor never owns it.
#pragma once
#include <string>
#include "driver/DriverRecords.h"
#include "ui/Dialog.h"

class CNameEditDialog : public CDialog {
public:
    CNameEditDialog(UINT templateId, int editId, char (&nameField)[kNameFieldSize]);

    std::string m_strName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    const int m_nEditId;
    char (&m_nameField)[kNameFieldSize];
};
