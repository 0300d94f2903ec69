// The device synchronisation dialog: the modes a device offers, one of them ticked;
// the ticked one becomes the working copy's current mode.
#pragma once
#include "driver/DriverRecords.h"
#include "ui/Dialog.h"
#include "ui/ListCtrlEx.h"

class CSubDlgDeviceSynch : public CDialog {
public:
    CSubDlgDeviceSynch(_DEVICE_SYNC_MODE_INFO* syncInfo, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void OnListItemChanged(int row);

    CListCtrlEx m_list;
    _DEVICE_SYNC_MODE_INFO* m_pSyncInfo;
    bool m_bReady = false;
};
