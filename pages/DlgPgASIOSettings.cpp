#include "pages/DlgPgASIOSettings.h"

#include "driver/Drv.h"
#include "res/resource.h"

CDlgPgASIOSettings::CDlgPgASIOSettings() : CDialogPage(IDD_PG_ASIO_SETTINGS) {}

void CDlgPgASIOSettings::Refresh()
{
    theDrv.GetStreamBufferDepth(&m_streamDepth);
    theDrv.GetAsioBufferDepth(&m_asioDepth);
    theDrv.GetWdmBufferDepth(&m_wdmDepth);
}

BOOL CDlgPgASIOSettings::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    Refresh();
    return TRUE;
}
