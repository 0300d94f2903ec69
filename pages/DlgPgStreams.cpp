#include "pages/DlgPgStreams.h"

#include "driver/Drv.h"
#include "res/resource.h"

CDlgPgStreams::CDlgPgStreams() : CDialogPage(IDD_PG_STREAMS) {}

void CDlgPgStreams::Refresh()
{
    theDrv.RefreshDevices();
}

BOOL CDlgPgStreams::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    Refresh();
    return TRUE;
}
