#include "pages/NameEditDialog.h"

#include "driver/RecordText.h"
#include "protocol/NameRule.h"
#include "res/resource.h"
#include "text/CodePage.h"
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
    // The field keeps the first 39 bytes of a longer name, in whole characters; what it
    // keeps must pass the one rule for names (no control character), or the editor says
    // why and stays open.
    const std::string kept(AnsiPrefix(m_strName, kNameFieldSize - 1));
    if (CheckName(kept) != WriteRule::None) {
        AfxMessageBox(IDS_NAME_RULE_CONTROL, MB_OK | MB_ICONEXCLAMATION);
        HWND edit = Control(m_nEditId);
        ::SetFocus(edit);
        ::SendMessageA(edit, EM_SETSEL, 0, -1);
        return;
    }
    SetFieldText(m_nameField, kept);
    EndDialog(IDOK);
}

void CNameEditDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, m_nEditId, m_strName);
}
