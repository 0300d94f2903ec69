// The devices page: the connected devices with their names and serial numbers. The
// user changes the ranking by moving rows and storing it with Apply, and renames
// devices through the device name editor.
#pragma once
#include <string>
#include "driver/DriverRecords.h"
#include "driver/ResultCodes.h"
#include "pages/DialogPage.h"
#include "ui/ListCtrlEx.h"

class CDlgPgDevices : public CDialogPage {
public:
    CDlgPgDevices();

    void Refresh() override { RefreshDeviceList(); }
    void RefreshDeviceList();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void UpdateRankingButtons();
    DrvResult MoveDevice(int row, bool upwards);
    DrvResult ApplyRanking();
    DrvResult EditDeviceName(DWORD_PTR index);
    void OnEditButton();
    void ShowDeviceCount();

    CWnd m_wndNote;
    CWnd m_btnUp;
    CWnd m_btnDown;
    CWnd m_btnApply;
    CWnd m_btnEdit;
    CListCtrlEx m_list;
    std::string m_strNote;
};
