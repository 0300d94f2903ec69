#include "pages/NameEditDialog.h"

#include "driver/RecordText.h"
#include "ui/DataExchange.h"

CNameEditDialog::CNameEditDialog(UINT templateId, int editId, char (&nameField)[kNameFieldSize])
    : CDialog(templateId), m_nEditId(editId), m_nameField(nameField)
{
}

BOOL CNameEditDialog::OnInitDialog()
{
    // The driver's text may lack its terminator: read no further than the field.
    m_strName = std::string(FieldText(m_nameField));
    UpdateData(FALSE);
    return TRUE;
}

void CNameEditDialog::OnOK()
{
    UpdateData(TRUE);
    SetFieldText(m_nameField, m_strName);
    EndDialog(IDOK);
}

void CNameEditDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, m_nEditId, m_strName);
}
