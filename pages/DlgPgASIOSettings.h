// The buffer settings page: stream, ASIO and WDM buffer depths and the drop outs.
#pragma once
#include "driver/DriverRecords.h"
#include "pages/DialogPage.h"

class CDlgPgASIOSettings : public CDialogPage {
public:
    CDlgPgASIOSettings();
    void Refresh();

protected:
    BOOL OnInitDialog() override;

private:
    _BUFFER_DEPTH_INFO m_streamDepth{};
    _BUFFER_DEPTH_INFO m_asioDepth{};
    _BUFFER_DEPTH_INFO m_wdmDepth{};
};
