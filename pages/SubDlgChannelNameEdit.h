// The modal editor of a channel name.
#pragma once
#include "driver/DriverRecords.h"
#include "pages/NameEditDialog.h"

class CSubDlgChannelNameEdit : public CNameEditDialog {
public:
    explicit CSubDlgChannelNameEdit(_OVX_CHANNEL_PROPERTIES* channel);
};
