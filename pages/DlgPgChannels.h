// A channels page: the input channels (direction 0) or the output channels (1).
#pragma once
#include "pages/DialogPage.h"

class CDlgPgChannels : public CDialogPage {
public:
    explicit CDlgPgChannels(int direction);
    void RefreshChannelList();
    int Direction() const { return m_nDirection; }

protected:
    BOOL OnInitDialog() override;

private:
    const int m_nDirection;
};
