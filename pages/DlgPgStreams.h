// The streams page: the state of every device's four isochronous plugs, and the
// details of the selected device. It changes nothing in the driver; what the user
// sees of it is the streaming state in the status bar.
#pragma once
#include <string>
#include "driver/DriverRecords.h"
#include "pages/DialogPage.h"
#include "text/StreamingVerdict.h"
#include "ui/ListCtrlEx.h"

class CDlgPgStreams : public CDialogPage {
public:
    // What the last refresh found, for the tray.
    struct Summary {
        bool driverAnswered = false;   // the device list could be read
        StreamingState state = StreamingState::NoStreams;   // the status bar's streaming state
        std::string failure;           // the first failed audio plug: its device and error
        std::string failedDevice;      // that plug's device
        uint32_t failureCode = 0;      // and its error
    };

    CDlgPgStreams();
    void Refresh() override;
    const Summary& LastFound() const { return m_summary; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    void OnListItemChanged();

    void NoteFailure(const _OVX_DEVICE_PROPERTIES& device, const _STREAM_INFO& info);

    CListCtrlEx m_list;
    std::string m_strDetails;
    Summary m_summary;
};
