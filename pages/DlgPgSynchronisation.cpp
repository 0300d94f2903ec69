#include "pages/DlgPgSynchronisation.h"

#include "driver/Drv.h"
#include "res/resource.h"

CDlgPgSynchronisation::CDlgPgSynchronisation() : CDialogPage(IDD_PG_SYNCHRONISATION) {}

void CDlgPgSynchronisation::Refresh()
{
    RefreshList();
    RefreshRates();
}

void CDlgPgSynchronisation::RefreshList()
{
    theDrv.RefreshDevices();
    theDrv.RefreshSyncModes();
    theDrv.GetClockSource(&theDrv.m_clockSource);
    theDrv.GetRateMode(&theDrv.m_nRateMode);
}

void CDlgPgSynchronisation::RefreshRates()
{
    theDrv.GetSampleRates(&theDrv.m_sampleRates);
}

BOOL CDlgPgSynchronisation::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    Refresh();
    return TRUE;
}
