#include "pages/DlgPgDevices.h"

#include <cstdio>
#include <vector>
#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "protocol/NameWrites.h"
#include "protocol/RankingWrite.h"
#include "pages/SubDlgDeviceNameEdit.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {


// The record a row designates; null for an index outside the array or an empty slot.
_OVX_DEVICE_PROPERTIES* DeviceAt(DWORD_PTR index)
{
    return theDrv.m_devices.AtIndex(index);
}

bool IsValidIndex(DWORD_PTR index)
{
    return theDrv.m_devices.HoldsIndex(index);
}

}  // namespace

CDlgPgDevices::CDlgPgDevices() : CDialogPage(IDD_PG_DEVICES) {}

void CDlgPgDevices::DoDataExchange(CDataExchange* dx)
{
    CDialogPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_RANKING_NOTE, m_wndNote);
    DDX_Control(dx, IDC_DEVICE_UP, m_btnUp);
    DDX_Control(dx, IDC_DEVICE_DOWN, m_btnDown);
    DDX_Control(dx, IDC_APPLY_RANKING, m_btnApply);
    DDX_Control(dx, IDC_EDIT_DEVICE_NAME, m_btnEdit);
    DDX_Control(dx, IDC_DEVICE_LIST, m_list);
    DDX_Text(dx, IDC_RANKING_NOTE, m_strNote);
}

BOOL CDlgPgDevices::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    m_list.InsertColumn(0, LoadResString(IDS_COL_DEVICE_NAME), LVCFMT_LEFT, 235);
    m_list.InsertColumn(1, LoadResString(IDS_COL_SERIAL_NUMBER), LVCFMT_LEFT, 220);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kPageListStyles);
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_DEVICE_LIST));
    m_strNote = LoadResString(IDS_RANKING_NOTE);
    m_btnApply.EnableWindow(FALSE);
    RefreshDeviceList();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgPgDevices::RefreshDeviceList()
{
    {
        CListCtrlEx::CRebuild rebuild(m_list);
        m_list.DeleteAllItems();
        if (theDrv.RefreshDevices() == DRV_OK) {
            for (int i = 0; i < theDrv.m_devices.GetSize(); ++i) {
                const _OVX_DEVICE_PROPERTIES* device = theDrv.m_devices.GetAt(i);
                if (!device)
                    continue;
                const int row = m_list.InsertItem(i, std::string(FieldText(device->name)), static_cast<DWORD_PTR>(i));
                m_list.SetItemText(row, 1, std::string(FieldText(device->serialNumber)));
            }
        }
    }
    UpdateRankingButtons();
    ShowDeviceCount();
}

void CDlgPgDevices::ShowDeviceCount()
{
    char count[16];
    std::snprintf(count, sizeof count, "%i ", theDrv.m_devices.GetSize());
    SetPaneText(1, count + LoadResString(IDS_DEVICES_CONNECTED));
}

void CDlgPgDevices::UpdateRankingButtons()
{
    const int selected = m_list.GetFirstSelectedIndex();
    const int rows = m_list.GetItemCount();
    const bool up = selected >= 0 && rows >= 2 && selected != 0;
    const bool down = selected >= 0 && rows >= 2 && selected != rows - 1;
    m_btnEdit.EnableWindow(selected >= 0);
    m_btnUp.EnableWindow(up);
    m_btnDown.EnableWindow(down);
    const bool noteShown = (m_wndNote.GetStyle() & WS_VISIBLE) != 0;
    if (noteShown != (up || down))
        m_wndNote.ShowWindow(up || down ? SW_SHOW : SW_HIDE);
}

DrvResult CDlgPgDevices::MoveDevice(int row, bool upwards)
{
    const DWORD_PTR index = m_list.GetItemData(row);
    if (!IsValidIndex(index))
        return ERROR_DRV_INVALID_ARGUMENT;
    const _OVX_DEVICE_PROPERTIES* device = DeviceAt(index);
    if (!device)
        return DRV_OK;
    const int rows = m_list.GetItemCount();
    int target = row;
    if (upwards && row > 0)
        target = row - 1;
    else if (!upwards && row < rows - 1)
        target = row + 1;

    m_list.DeleteItem(row);
    const int inserted = m_list.InsertItem(target, std::string(FieldText(device->name)), index);
    m_list.SetItemText(inserted, 1, std::string(FieldText(device->serialNumber)));
    m_list.SelectRow(inserted);
    m_btnApply.EnableWindow(TRUE);
    return DRV_OK;
}

DrvResult CDlgPgDevices::ApplyRanking()
{
    const int rows = m_list.GetItemCount();
    // A row that outlived its record makes the whole order meaningless: nothing is
    // changed or sent unless every row still designates one.
    for (int row = 0; row < rows; ++row) {
        if (!IsValidIndex(m_list.GetItemData(row)))
            return ERROR_DRV_INVALID_ARGUMENT;
    }
    std::vector<size_t> order;
    for (int row = 0; row < rows; ++row)
        order.push_back(static_cast<size_t>(m_list.GetItemData(row)));
    std::vector<_OVX_DEVICE_PROPERTIES*> records;
    for (int i = 0; i < theDrv.m_devices.GetSize(); ++i)
        records.push_back(theDrv.m_devices.GetAt(i));
    StoreRanking(theDrv, records, order);   // unchecked: the reload shows the order the driver kept
    RefreshDeviceList();
    RefreshDependentPages();
    m_btnApply.EnableWindow(FALSE);
    return DRV_OK;
}

DrvResult CDlgPgDevices::EditDeviceName(DWORD_PTR index)
{
    if (!IsValidIndex(index))
        return ERROR_DRV_INVALID_ARGUMENT;
    const _OVX_DEVICE_PROPERTIES* device = DeviceAt(index);
    if (!device)
        return DRV_OK;
    // The editor works on a copy: the model may be reloaded while it is open.
    _OVX_DEVICE_PROPERTIES copy = *device;
    CSubDlgDeviceNameEdit editor(&copy);
    if (editor.DoModal() != IDOK)
        return DRV_OK;
    // Unchecked: the reload shows what the driver kept.
    RenameDevice(theDrv, copy, std::string(FieldText(copy.name)));
    RefreshDeviceList();
    RefreshDependentPages();
    return DRV_OK;
}

void CDlgPgDevices::OnEditButton()
{
    const int selected = m_list.GetFirstSelectedIndex();
    if (selected >= 0)
        EditDeviceName(m_list.GetItemData(selected));
}

bool CDlgPgDevices::OnCommand(UINT id, UINT code, HWND control)
{
    if (code != BN_CLICKED)
        return CDialogPage::OnCommand(id, code, control);
    const int selected = m_list.GetFirstSelectedIndex();
    switch (id) {
    case IDC_EDIT_DEVICE_NAME:
        OnEditButton();
        return true;
    case IDC_DEVICE_UP:
    case IDC_DEVICE_DOWN:
        if (selected >= 0)
            MoveDevice(selected, id == IDC_DEVICE_UP);
        return true;
    case IDC_APPLY_RANKING:
        ApplyRanking();
        return true;
    default:
        return CDialogPage::OnCommand(id, code, control);
    }
}

bool CDlgPgDevices::OnNotify(NMHDR* header, LRESULT& result)
{
    return RouteListNotify(*this, header, IDC_DEVICE_LIST, result, &CDlgPgDevices::UpdateRankingButtons,
                           &CDlgPgDevices::OnEditButton) ||
           CDialogPage::OnNotify(header, result);
}
