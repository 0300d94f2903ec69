#include "pages/SubDlgDeviceNameEdit.h"

#include "res/resource.h"

CSubDlgDeviceNameEdit::CSubDlgDeviceNameEdit(_OVX_DEVICE_PROPERTIES* device)
    : CNameEditDialog(IDD_SUBDLG_DEVICE_NAME, IDC_DEVICE_NAME_EDIT, device->name)
{
}
