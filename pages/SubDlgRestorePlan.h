// The plan of a studio snapshot's restore, shown before anything is sent: each change
// with what it is now and what it will be, and the items that will be skipped and
// why. Restore (OK) or Cancel; the dialog changes nothing itself.
#pragma once
#include "snapshot/RestorePlan.h"
#include "ui/Dialog.h"
#include "ui/ListCtrlEx.h"

class CSubDlgRestorePlan : public CDialog {
public:
    CSubDlgRestorePlan(const RestorePlan& plan, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    const RestorePlan& m_plan;
    CListCtrlEx m_list;
    std::string m_strSummary;
};
