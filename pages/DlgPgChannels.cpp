#include "pages/DlgPgChannels.h"

#include "driver/Drv.h"
#include "res/resource.h"

CDlgPgChannels::CDlgPgChannels(int direction) : CDialogPage(IDD_PG_CHANNELS), m_nDirection(direction) {}

void CDlgPgChannels::RefreshChannelList()
{
    const bool output = m_nDirection != 0;
    theDrv.RefreshChannels(output ? theDrv.m_outputChannels : theDrv.m_inputChannels, output);
}

BOOL CDlgPgChannels::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    RefreshChannelList();
    return TRUE;
}
