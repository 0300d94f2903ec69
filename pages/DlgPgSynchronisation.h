// The synchronisation page: the clock master (the PC driver or one device), each
// device's synchronisation mode, whether the rate is set manually, and the sampling
// rate. Edits stay in the model's records until one of the two Apply buttons.
#pragma once
#include "driver/DriverRecords.h"
#include "pages/DialogPage.h"
#include "ui/ComboBox.h"
#include "ui/ListCtrlEx.h"

class CDlgPgSynchronisation : public CDialogPage {
public:
    CDlgPgSynchronisation();

    void Refresh() override;
    void RefreshList();
    void RefreshRates();
    // The rate the last refresh read from the driver, in Hz; 0 when it could not.
    uint32_t ShownRate() const { return m_nShownRate; }
    // Whether the last refresh of the list read the clock master (the model's record).
    bool ClockRead() const { return m_bClockRead; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    // Devices and synchronisation records pair up only this far.
    static int PairedDeviceCount();
    std::string ClockSourceText() const;
    void ApplyComboRule();
    void UpdateRateControls();
    void OnListItemChanged(int row);
    void OnRateModeClicked();
    void OnRateSelected();
    void OnApplySynchronisation();
    void OnApplySampleRate();
    void OnChangeSyncMode();

    CListCtrlEx m_list;
    CWnd m_btnChangeSyncMode;
    CWnd m_btnApplySync;
    CWnd m_radioManual;
    CWnd m_radioAutomatic;
    CComboBox m_comboRates;
    CWnd m_btnApplyRate;
    int m_nRateModeRadio = 0;
    bool m_bReady = false;
    int m_nCheckedRow = -1;
    uint32_t m_nShownRate = 0;
    bool m_bClockRead = false;
};
