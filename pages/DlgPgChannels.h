// A channels page: the channels of one direction of every device (0 input, 1 output),
// with the owning device's name, the channel name and the name ASIO hosts show. The
// user renames channels and chooses whether ASIO names include the device name.
#pragma once
#include <string>
#include "driver/Drv.h"
#include "pages/DialogPage.h"
#include "ui/ListCtrlEx.h"

class CDlgPgChannels : public CDialogPage {
public:
    explicit CDlgPgChannels(int direction);

    void Refresh() override { RefreshChannelList(); }
    void RefreshChannelList();
    void UpdateAsioDisplayNames();
    // The option changed on either channel page: both show it.
    void ShowIncludeDeviceName(int include);
    int Direction() const { return m_nDirection; }

    int m_bIncludeDeviceName = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    CChannelArray& Channels() const;
    _OVX_CHANNEL_PROPERTIES* ChannelAt(DWORD_PTR index) const;
    // The name ASIO hosts show for a channel, with the device's name or without.
    std::string DisplayName(const std::string& deviceName, const std::string& channelName) const;
    void UpdateSelectedChannelInfo();
    void OnIncludeDeviceNameClicked();
    DrvResult EditChannelName(DWORD_PTR index);
    void OnEditButton();

    CWnd m_chkIncludeDeviceName;
    CWnd m_editHardwareName;
    CWnd m_wndHardwareNameLabel;
    CWnd m_btnEdit;
    CListCtrlEx m_list;
    std::string m_strHardwareName;
    const int m_nDirection;
};
