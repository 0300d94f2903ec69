#include "pages/DlgPgSynchronisation.h"

#include <algorithm>
#include <cstdio>
#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "protocol/SampleRateWrite.h"
#include "protocol/SynchronisationWrite.h"
#include "pages/SubDlgDeviceSynch.h"
#include "pages/SyncModeText.h"
#include "res/DriverErrorTexts.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {

constexpr DWORD_PTR kPcDriverRow = static_cast<DWORD_PTR>(-1);
constexpr DWORD kListExtendedStyles = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;

int AddComboEntry(const CComboBox& combo, const std::string& text, uint32_t data)
{
    const int index = combo.AddString(text);
    combo.SetItemData(index, data);
    return index;
}

}  // namespace

CDlgPgSynchronisation::CDlgPgSynchronisation() : CDialogPage(IDD_PG_SYNCHRONISATION) {}

void CDlgPgSynchronisation::DoDataExchange(CDataExchange* dx)
{
    CDialogPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_SYNC_LIST, m_list);
    DDX_Control(dx, IDC_CHANGE_SYNC_MODE, m_btnChangeSyncMode);
    DDX_Control(dx, IDC_SYNC_APPLY, m_btnApplySync);
    DDX_Control(dx, IDC_RATE_MANUAL, m_radioManual);
    DDX_Control(dx, IDC_RATE_AUTOMATIC, m_radioAutomatic);
    DDX_Control(dx, IDC_SAMPLE_RATE_COMBO, m_comboRates);
    DDX_Control(dx, IDC_RATE_APPLY, m_btnApplyRate);
    DDX_Radio(dx, IDC_RATE_MANUAL, m_nRateModeRadio);
}

BOOL CDlgPgSynchronisation::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kListExtendedStyles);
    m_list.InsertColumn(0, LoadResString(IDS_COL_CLOCK_MASTER), LVCFMT_LEFT, 70);
    m_list.InsertColumn(1, LoadResString(IDS_COL_DEVICES), LVCFMT_LEFT, 160);
    m_list.InsertColumn(2, LoadResString(IDS_COL_SYNC_SOURCE), LVCFMT_LEFT, 250);
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_SYNC_LIST));
    RefreshList();
    RefreshRates();
    m_btnApplySync.EnableWindow(FALSE);
    m_btnApplyRate.EnableWindow(FALSE);
    m_bReady = true;
    return TRUE;
}

void CDlgPgSynchronisation::Refresh()
{
    RefreshList();
    RefreshRates();
}

int CDlgPgSynchronisation::PairedDeviceCount()
{
    return std::min(theDrv.m_devices.GetSize(), theDrv.m_syncModes.GetSize());
}

std::string CDlgPgSynchronisation::ClockSourceText() const
{
    switch (theDrv.m_clockSource.masterFlag) {
    case 0: return LoadResString(IDS_CLOCK_INTERNAL);
    case 1: return LoadResString(IDS_CLOCK_EXTERNAL);
    default: return {};
    }
}

void CDlgPgSynchronisation::RefreshList()
{
    m_bReady = false;
    m_nCheckedRow = -1;
    m_bClockRead = false;
    {
        CListCtrlEx::CRebuild rebuild(m_list);
        m_list.DeleteAllItems();

        const bool loaded = theDrv.RefreshDevices() == DRV_OK && theDrv.RefreshSyncModes() == DRV_OK;
        if (loaded && !theDrv.m_devices.IsEmpty()) {
            const int pcRow = m_list.InsertItem(0, std::string(), kPcDriverRow);
            m_list.SetItemText(pcRow, 1, LoadResString(IDS_PC_DRIVER));
            m_bClockRead = theDrv.GetClockSource(&theDrv.m_clockSource) == DRV_OK;
            if (m_bClockRead)
                m_list.SetItemText(pcRow, 2, ClockSourceText());
            if (theDrv.m_clockSource.masterFlag == 0) {
                m_list.SetCheck(pcRow, TRUE);
                m_nCheckedRow = pcRow;
            }
            // A device without its synchronisation record (the two lists were read one
            // after the other and may differ) gets no row.
            for (int i = 0; i < PairedDeviceCount(); ++i) {
                const _OVX_DEVICE_PROPERTIES* device = theDrv.m_devices.GetAt(i);
                const _DEVICE_SYNC_MODE_INFO* sync = theDrv.m_syncModes.GetAt(i);
                if (!device || !sync)
                    continue;
                // A new row's box starts unticked.
                const int row = m_list.InsertItem(m_list.GetItemCount(), std::string(), static_cast<DWORD_PTR>(i));
                m_list.SetItemText(row, 1, std::string(FieldText(device->name)));
                m_list.SetItemText(row, 2, FormatSyncMode(sync->current, true));
                if (theDrv.m_clockSource.masterFlag == 1 && device->deviceId == theDrv.m_clockSource.masterDeviceId) {
                    m_list.SetCheck(row, TRUE);
                    m_nCheckedRow = row;
                }
            }
        }
    }

    theDrv.GetRateMode(&theDrv.m_nRateMode);
    UpdateRateControls();
    m_bReady = true;
}

void CDlgPgSynchronisation::UpdateRateControls()
{
    m_nRateModeRadio = theDrv.m_nRateMode != 0 ? 1 : 0;
    UpdateData(FALSE);
    const BOOL deviceIsMaster = theDrv.m_clockSource.masterFlag == 1;
    m_radioManual.EnableWindow(deviceIsMaster);
    m_radioAutomatic.EnableWindow(deviceIsMaster);
    ApplyComboRule();
    m_btnChangeSyncMode.EnableWindow(m_list.GetFirstSelectedIndex() > 0);
}

void CDlgPgSynchronisation::ApplyComboRule()
{
    if (m_comboRates.m_hWnd)
        m_comboRates.EnableWindow(m_comboRates.GetCount() > 0 && theDrv.m_nRateMode != 1);
}

void CDlgPgSynchronisation::RefreshRates()
{
    std::string rateText = LoadResString(IDS_RATE_UNKNOWN);
    m_nShownRate = 0;
    const CComboBox& combo = m_comboRates;
    combo.SetRedraw(FALSE);   // each entry added would otherwise update and repaint the list
    combo.ResetContent();
    if (theDrv.RefreshDevices() == DRV_OK && !theDrv.m_devices.IsEmpty() &&
        theDrv.GetSampleRates(&theDrv.m_sampleRates) == DRV_OK) {
        const _SAMPLE_RATE_INFO& rates = theDrv.m_sampleRates;
        rateText = FormatSampleRate(rates.currentRate);
        m_nShownRate = rates.currentRate;
        const uint32_t count = std::min<uint32_t>(rates.rateCount, kMaxSampleRates);
        for (uint32_t i = 0; i < count; ++i)
            AddComboEntry(combo, FormatSampleRate(rates.rates[i]), rates.rates[i]);
        combo.SetCurSel(-1);
        for (int i = 0; i < combo.GetCount(); ++i) {
            if (combo.GetItemData(i) == rates.currentRate) {
                combo.SetCurSel(i);
                break;
            }
        }
        if (combo.GetCurSel() == CB_ERR) {
            const std::string unavailable =
                FormatSampleRate(rates.currentRate) + " (" + LoadResString(IDS_RATE_UNAVAILABLE) + ")";
            combo.SetCurSel(AddComboEntry(combo, unavailable, 0));
        }
    }
    combo.SetRedraw(TRUE);
    SetPaneText(2, LoadResString(IDS_CURRENT_SAMPLE_RATE) + rateText);
    ApplyComboRule();
}

void CDlgPgSynchronisation::OnListItemChanged(int row)
{
    // While the list is rebuilt or its rows are changed here, the code that did it
    // brings the rate controls up to date once it is done.
    if (!m_bReady)
        return;
    if (row >= 0) {
        m_bReady = false;
        const bool ticked = m_list.GetCheck(row) != FALSE;
        if (ticked && row != m_nCheckedRow) {
            m_nCheckedRow = row;
            for (int other = 0; other < m_list.GetItemCount(); ++other) {
                if (other != row)
                    m_list.SetCheck(other, FALSE);
            }
            m_btnApplySync.EnableWindow(TRUE);
        } else if (!ticked && row == m_nCheckedRow) {
            m_list.SetCheck(row, TRUE);   // the clock master cannot be unticked
        }
        if (m_nCheckedRow >= m_list.GetItemCount())
            m_nCheckedRow = -1;
        if (m_nCheckedRow != -1) {
            const DWORD_PTR index = m_list.GetItemData(m_nCheckedRow);
            const bool paired = index < static_cast<DWORD_PTR>(PairedDeviceCount());
            const _OVX_DEVICE_PROPERTIES* device = paired ? theDrv.m_devices.AtIndex(index) : nullptr;
            if (index == kPcDriverRow) {
                theDrv.m_clockSource.masterFlag = 0;
                theDrv.m_clockSource.masterDeviceId = 0;
                theDrv.m_nRateMode = 0;
            } else if (device) {
                theDrv.m_clockSource.masterDeviceId = device->deviceId;
                theDrv.m_clockSource.masterFlag = 1;
            }
            m_list.SetItemText(0, 2, ClockSourceText());
        }
        m_bReady = true;
    }
    UpdateRateControls();
}

void CDlgPgSynchronisation::OnRateModeClicked()
{
    UpdateData(TRUE);
    theDrv.m_nRateMode = m_nRateModeRadio != 0 ? 1 : 0;
    m_comboRates.EnableWindow(theDrv.m_nRateMode == 0);
    m_btnApplySync.EnableWindow(TRUE);
}

void CDlgPgSynchronisation::OnRateSelected()
{
    m_btnApplyRate.EnableWindow(FALSE);
    const int selected = m_comboRates.GetCurSel();
    if (selected != CB_ERR && m_comboRates.GetItemData(selected) != 0)
        m_btnApplyRate.EnableWindow(TRUE);
}

void CDlgPgSynchronisation::OnApplySynchronisation()
{
    SynchronisationSettings settings;
    settings.clockSource = theDrv.m_clockSource;
    settings.rateMode = theDrv.m_nRateMode;
    for (int i = 0; i < theDrv.m_syncModes.GetSize(); ++i)
        settings.syncModes.push_back(theDrv.m_syncModes.GetAt(i));
    // Unchecked: the reloads below show what the driver kept. Also after a refused stop:
    // the choices were not stored, and with Apply off the page must not go on showing
    // them as if they were.
    ApplySynchronisation(theDrv, settings);
    RefreshList();
    RefreshRates();
    m_btnApplySync.EnableWindow(FALSE);
}

void CDlgPgSynchronisation::OnApplySampleRate()
{
    const int selected = m_comboRates.GetCurSel();
    // A refresh may have put the selection on the entry marked unavailable (item data 0)
    // while Apply stayed on; that entry is never sent.
    if (selected != CB_ERR && m_comboRates.GetItemData(selected) != 0) {
        const uint32_t rate = static_cast<uint32_t>(m_comboRates.GetItemData(selected));
        theDrv.m_sampleRates.currentRate = rate;
        const WriteOutcome outcome = SetSampleRate(theDrv, theDrv.m_nRateMode, theDrv.m_sampleRates, rate);
        if (outcome.refused.code == ERROR_DRV_WDM_DEVICE_IN_USE)
            AfxMessageBox(IDS_DRVERR_WDM_DEVICE_IN_USE, MB_OK | MB_ICONEXCLAMATION);
    }
    RefreshList();
    RefreshRates();
    m_btnApplyRate.EnableWindow(FALSE);
}

void CDlgPgSynchronisation::OnChangeSyncMode()
{
    const int row = m_list.GetFirstSelectedIndex();
    if (row < 0)
        return;
    const DWORD_PTR index = m_list.GetItemData(row);
    if (index == kPcDriverRow || index >= static_cast<DWORD_PTR>(PairedDeviceCount()))
        return;
    const _DEVICE_SYNC_MODE_INFO* record = theDrv.m_syncModes.AtIndex(index);
    if (!record)
        return;
    const uint32_t generation = theDrv.m_syncModes.Generation();
    _DEVICE_SYNC_MODE_INFO copy = *record;
    CSubDlgDeviceSynch dialog(&copy, this);
    if (dialog.DoModal() != IDOK)
        return;

    // The dialog's loop may have let a refresh reload the list: the old record is
    // gone, and the choice goes to the reloaded record of the same device, if any.
    int target = static_cast<int>(index);
    if (theDrv.m_syncModes.Generation() != generation) {
        target = -1;
        for (int i = 0; i < PairedDeviceCount(); ++i) {
            const _DEVICE_SYNC_MODE_INFO* reloaded = theDrv.m_syncModes.GetAt(i);
            if (reloaded && reloaded->deviceId == copy.deviceId)
                target = i;
        }
    }
    _DEVICE_SYNC_MODE_INFO* destination = theDrv.m_syncModes.GetAt(target);
    if (!destination)
        return;
    *destination = copy;
    m_bReady = false;
    for (int i = 0; i < m_list.GetItemCount(); ++i) {
        if (m_list.GetItemData(i) == static_cast<DWORD_PTR>(target))
            m_list.SetItemText(i, 2, FormatSyncMode(destination->current, true));
    }
    m_bReady = true;
    m_btnApplySync.EnableWindow(TRUE);
}

bool CDlgPgSynchronisation::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_CHANGE_SYNC_MODE:
        if (code == BN_CLICKED)
            OnChangeSyncMode();
        return true;
    case IDC_SYNC_APPLY:
        if (code == BN_CLICKED)
            OnApplySynchronisation();
        return true;
    case IDC_RATE_MANUAL:
    case IDC_RATE_AUTOMATIC:
        if (code == BN_CLICKED)
            OnRateModeClicked();
        return true;
    case IDC_SAMPLE_RATE_COMBO:
        if (code == CBN_SELCHANGE)
            OnRateSelected();
        return true;
    case IDC_RATE_APPLY:
        if (code == BN_CLICKED)
            OnApplySampleRate();
        return true;
    default:
        return CDialogPage::OnCommand(id, code, control);
    }
}

bool CDlgPgSynchronisation::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom != IDC_SYNC_LIST)
        return CDialogPage::OnNotify(header, result);
    if (header->code == LVN_ITEMCHANGED) {
        OnListItemChanged(reinterpret_cast<const NMLISTVIEW*>(header)->iItem);
        result = 0;
        return true;
    }
    if (header->code == NM_DBLCLK) {
        OnChangeSyncMode();
        result = 0;
        return true;
    }
    return CDialogPage::OnNotify(header, result);
}
