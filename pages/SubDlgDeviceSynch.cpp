#include "pages/SubDlgDeviceSynch.h"

#include <algorithm>
#include "pages/SyncModeText.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {

// A driver may report more entries than the record has room for.
uint32_t OfferedCount(const _DEVICE_SYNC_MODE_INFO& info)
{
    return std::min<uint32_t>(info.offeredCount, kMaxSyncModes);
}

}  // namespace

CSubDlgDeviceSynch::CSubDlgDeviceSynch(_DEVICE_SYNC_MODE_INFO* syncInfo, CWnd* parent)
    : CDialog(IDD_SUBDLG_DEVICE_SYNCH, parent), m_pSyncInfo(syncInfo)
{
}

void CSubDlgDeviceSynch::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SYNC_LIST, m_list);
}

BOOL CSubDlgDeviceSynch::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    m_list.InsertColumn(0, std::string(), LVCFMT_LEFT, 20);
    m_list.InsertColumn(1, LoadResString(IDS_COL_MODE), LVCFMT_LEFT, 290);
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_SYNC_MODE_LIST));
    const uint32_t count = OfferedCount(*m_pSyncInfo);
    for (uint32_t i = 0; i < count; ++i) {
        const int row = m_list.InsertItem(static_cast<int>(i), std::string(), i);   // unticked
        m_list.SetItemText(row, 1, FormatSyncMode(m_pSyncInfo->offered[i], true));
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (m_pSyncInfo->offered[i].sourceId == m_pSyncInfo->current.sourceId) {
            for (int row = 0; row < m_list.GetItemCount(); ++row) {
                if (m_list.GetItemData(row) == i)
                    m_list.SetCheck(row, TRUE);
            }
            break;
        }
    }
    m_bReady = true;
    return TRUE;
}

void CSubDlgDeviceSynch::OnListItemChanged(int row)
{
    if (!m_bReady || row < 0 || row >= m_list.GetItemCount())
        return;
    m_bReady = false;
    // Exactly one ticked row: unticking the ticked one ticks it again.
    if (!m_list.GetCheck(row))
        m_list.SetCheck(row, TRUE);
    for (int other = 0; other < m_list.GetItemCount(); ++other) {
        if (other != row && m_list.GetCheck(other))
            m_list.SetCheck(other, FALSE);
    }
    m_bReady = true;
    const DWORD_PTR index = m_list.GetItemData(row);
    if (index < OfferedCount(*m_pSyncInfo))
        m_pSyncInfo->current = m_pSyncInfo->offered[index];
}

bool CSubDlgDeviceSynch::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_SYNC_LIST && header->code == LVN_ITEMCHANGED) {
        OnListItemChanged(reinterpret_cast<const NMLISTVIEW*>(header)->iItem);
        result = 0;
        return true;
    }
    return CDialog::OnNotify(header, result);
}
