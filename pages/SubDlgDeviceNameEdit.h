// The modal editor of a device name.
#pragma once
#include "driver/DriverRecords.h"
#include "pages/NameEditDialog.h"

class CSubDlgDeviceNameEdit : public CNameEditDialog {
public:
    explicit CSubDlgDeviceNameEdit(_OVX_DEVICE_PROPERTIES* device);
};
