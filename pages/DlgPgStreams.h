// The streams page: the state of every device's four isochronous plugs, and the
// details of the selected device. It changes nothing in the driver; what the user
// sees of it is the streaming state in the status bar.
#pragma once
#include <string>
#include "pages/DialogPage.h"
#include "ui/ListCtrlEx.h"

class CDlgPgStreams : public CDialogPage {
public:
    CDlgPgStreams();
    void Refresh();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void OnListItemChanged();

    CListCtrlEx m_list;
    std::string m_strDetails;
};
