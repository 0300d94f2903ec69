#include "pages/NameEditDialog.h"

#include <algorithm>
#include <cstring>
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
    // The rest of the field is zeroed, as the driver's fixed-size text expects.
    const size_t length = std::min<size_t>(m_strName.size(), kNameFieldSize - 1);
    std::memset(m_nameField, 0, kNameFieldSize);
    std::memcpy(m_nameField, m_strName.data(), length);
    EndDialog(IDOK);
}

void CNameEditDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, m_nEditId, m_strName);
}
