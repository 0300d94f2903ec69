// The devices page: the connected devices, their names and their ranking.
#pragma once
#include "pages/DialogPage.h"

class CDlgPgDevices : public CDialogPage {
public:
    CDlgPgDevices();
    void RefreshDeviceList();

protected:
    BOOL OnInitDialog() override;
};
