#include "pages/DlgPgDevices.h"

#include "driver/Drv.h"
#include "res/resource.h"

CDlgPgDevices::CDlgPgDevices() : CDialogPage(IDD_PG_DEVICES) {}

void CDlgPgDevices::RefreshDeviceList()
{
    theDrv.RefreshDevices();
}

BOOL CDlgPgDevices::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    RefreshDeviceList();
    return TRUE;
}
