// The synchronisation page: the clock master, each device's synchronisation mode and
// the sampling rate.
#pragma once
#include "pages/DialogPage.h"

class CDlgPgSynchronisation : public CDialogPage {
public:
    CDlgPgSynchronisation();
    void Refresh();
    void RefreshList();
    void RefreshRates();

protected:
    BOOL OnInitDialog() override;
};
