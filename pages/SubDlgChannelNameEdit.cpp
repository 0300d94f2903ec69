#include "pages/SubDlgChannelNameEdit.h"

#include "res/resource.h"

CSubDlgChannelNameEdit::CSubDlgChannelNameEdit(_OVX_CHANNEL_PROPERTIES* channel)
    : CNameEditDialog(IDD_SUBDLG_CHANNEL_NAME, IDC_CHANNEL_NAME_EDIT, channel->channelName)
{
}
