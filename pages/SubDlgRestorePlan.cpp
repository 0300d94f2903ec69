#include "pages/SubDlgRestorePlan.h"

#include "pages/PlanItemText.h"
#include "res/resource.h"
#include "text/FormatText.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

CSubDlgRestorePlan::CSubDlgRestorePlan(const RestorePlan& plan, CWnd* parent)
    : CDialog(IDD_RESTORE_PLAN, parent), m_plan(plan)
{
}

void CSubDlgRestorePlan::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PLAN_LIST, m_list);
    DDX_Text(dx, IDC_PLAN_SUMMARY, m_strSummary);
}

BOOL CSubDlgRestorePlan::OnInitDialog()
{
    CDialog::OnInitDialog();
    // Widths at 96 DPI; the list scales them once for the system's DPI.
    m_list.InsertColumn(0, LoadResString(IDS_PLAN_COL_SETTING), LVCFMT_LEFT, 250);
    m_list.InsertColumn(1, LoadResString(IDS_PLAN_COL_NOW), LVCFMT_LEFT, 145);
    m_list.InsertColumn(2, LoadResString(IDS_PLAN_COL_THEN), LVCFMT_LEFT, 145);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_PLAN_LIST));
    {
        CListCtrlEx::CRebuild rebuild(m_list);
        for (size_t i = 0; i < m_plan.items.size(); ++i) {
            const PlanItem& item = m_plan.items[i];
            const int row = m_list.InsertItem(static_cast<int>(i), PlanSettingText(item), i);
            m_list.SetItemText(row, 1, PlanNowText(item));
            m_list.SetItemText(row, 2, PlanThenText(item));
        }
    }
    if (m_list.GetItemCount() > 0)
        m_list.SelectRow(0);
    m_strSummary = FormatResString(IDS_PLAN_SUMMARY, {DecimalText(m_plan.Changes()), DecimalText(m_plan.Skips())});
    UpdateData(FALSE);
    // Nothing to send: Restore would only report the skipped items again.
    ::EnableWindow(Control(IDOK), m_plan.Changes() > 0);
    return TRUE;
}
