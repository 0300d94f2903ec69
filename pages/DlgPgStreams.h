// The streams page: the state of every device's isochronous plugs.
#pragma once
#include "pages/DialogPage.h"

class CDlgPgStreams : public CDialogPage {
public:
    CDlgPgStreams();
    void Refresh();

protected:
    BOOL OnInitDialog() override;
};
