#include "pages/DlgPgChannels.h"

#include "driver/RecordText.h"
#include "protocol/NameWrites.h"
#include "pages/SubDlgChannelNameEdit.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

namespace {

constexpr size_t kDisplayNameLength = 32;   // what an ASIO host shows of a channel's name

}  // namespace

CDlgPgChannels::CDlgPgChannels(int direction) : CDialogPage(IDD_PG_CHANNELS), m_nDirection(direction) {}

CChannelArray& CDlgPgChannels::Channels() const
{
    return m_nDirection == 0 ? theDrv.m_inputChannels : theDrv.m_outputChannels;
}

_OVX_CHANNEL_PROPERTIES* CDlgPgChannels::ChannelAt(DWORD_PTR index) const
{
    return Channels().AtIndex(index);
}

void CDlgPgChannels::DoDataExchange(CDataExchange* dx)
{
    CDialogPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_INCLUDE_DEVICE_NAME, m_chkIncludeDeviceName);
    DDX_Control(dx, IDC_HARDWARE_NAME, m_editHardwareName);
    DDX_Control(dx, IDC_HARDWARE_NAME_LABEL, m_wndHardwareNameLabel);
    DDX_Control(dx, IDC_EDIT_CHANNEL_NAME, m_btnEdit);
    DDX_Control(dx, IDC_CHANNEL_LIST, m_list);
    DDX_Check(dx, IDC_INCLUDE_DEVICE_NAME, m_bIncludeDeviceName);
    DDX_Text(dx, IDC_HARDWARE_NAME, m_strHardwareName);
}

BOOL CDlgPgChannels::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    m_list.InsertColumn(0, LoadResString(IDS_COL_DEVICE_NAME), LVCFMT_LEFT, 160);
    m_list.InsertColumn(1, LoadResString(IDS_COL_CHANNEL_NAME), LVCFMT_LEFT, 160);
    m_list.InsertColumn(2, LoadResString(IDS_COL_ASIO_DISPLAY_NAME), LVCFMT_LEFT, 180);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kPageListStyles);
    SetAccessibleName(m_list.m_hWnd,
                      LoadResString(m_nDirection == 0 ? IDS_NAME_INPUT_CHANNEL_LIST : IDS_NAME_OUTPUT_CHANNEL_LIST));
    m_btnEdit.EnableWindow(FALSE);
    if (theDrv.GetAsioNameOption(&theDrv.m_nAsioNameOption) == DRV_OK)
        m_bIncludeDeviceName = theDrv.m_nAsioNameOption != 0 ? 1 : 0;
    RefreshChannelList();
    UpdateData(FALSE);
    return TRUE;
}

void CDlgPgChannels::RefreshChannelList()
{
    {
        CListCtrlEx::CRebuild rebuild(m_list);
        m_list.DeleteAllItems();
        CChannelArray& channels = Channels();
        if (theDrv.RefreshChannels(channels, m_nDirection != 0) == DRV_OK) {
            for (int i = 0; i < channels.GetSize(); ++i) {
                const _OVX_CHANNEL_PROPERTIES* channel = channels.GetAt(i);
                if (!channel)
                    continue;
                const uint32_t deviceId = channel->deviceId;
                _OVX_DEVICE_PROPERTIES device{};
                if (theDrv.GetDeviceProperties(&deviceId, &device) != DRV_OK)
                    continue;   // a channel of a device that cannot be read gets no row
                const std::string deviceName(FieldText(device.name));
                const std::string channelName(FieldText(channel->channelName));
                const int row = m_list.InsertItem(i, deviceName, static_cast<DWORD_PTR>(i));
                m_list.SetItemText(row, 1, channelName);
                m_list.SetItemText(row, 2, DisplayName(deviceName, channelName));
            }
        }
    }
    UpdateSelectedChannelInfo();
}

std::string CDlgPgChannels::DisplayName(const std::string& deviceName, const std::string& channelName) const
{
    std::string name;
    if (m_bIncludeDeviceName != 0)
        name = deviceName + " - ";
    name += channelName;
    if (name.size() > kDisplayNameLength)
        name.resize(kDisplayNameLength);
    return name;
}

void CDlgPgChannels::UpdateAsioDisplayNames()
{
    const int rows = m_list.GetItemCount();
    for (int row = 0; row < rows; ++row)
        m_list.SetItemText(row, 2, DisplayName(m_list.GetItemText(row, 0), m_list.GetItemText(row, 1)));
}

void CDlgPgChannels::UpdateSelectedChannelInfo()
{
    std::string text;
    const int selected = m_list.GetFirstSelectedIndex();
    if (selected >= 0) {
        if (const _OVX_CHANNEL_PROPERTIES* channel = ChannelAt(m_list.GetItemData(selected)))
            text = " " + std::string(FieldText(channel->hardwareName));
    }
    m_btnEdit.EnableWindow(selected >= 0);
    m_wndHardwareNameLabel.EnableWindow(selected >= 0);
    m_editHardwareName.EnableWindow(selected >= 0);
    m_strHardwareName = text;
    UpdateData(FALSE);
}

void CDlgPgChannels::OnIncludeDeviceNameClicked()
{
    const int shown = m_bIncludeDeviceName;
    const uint32_t held = theDrv.m_nAsioNameOption;
    UpdateData(TRUE);
    theDrv.m_nAsioNameOption = m_bIncludeDeviceName != 0 ? 1 : 0;
    // The option is not read back, not even by a refresh: a write the driver refused
    // leaves both pages showing what they showed, not a choice the driver never took.
    if (!SetAsioNamesIncludeDevice(theDrv, theDrv.m_nAsioNameOption != 0).Ok()) {
        theDrv.m_nAsioNameOption = held;
        m_bIncludeDeviceName = shown;
    }
    if (m_pHost)
        m_pHost->ShowIncludeDeviceName(m_bIncludeDeviceName);
}

void CDlgPgChannels::ShowIncludeDeviceName(int include)
{
    m_bIncludeDeviceName = include;
    UpdateData(FALSE);
    UpdateAsioDisplayNames();
}

DrvResult CDlgPgChannels::EditChannelName(DWORD_PTR index)
{
    if (!Channels().HoldsIndex(index))
        return ERROR_DRV_INVALID_ARGUMENT;
    const _OVX_CHANNEL_PROPERTIES* channel = ChannelAt(index);
    if (!channel)
        return DRV_OK;
    // The editor works on a copy: the model may be reloaded while it is open.
    _OVX_CHANNEL_PROPERTIES copy = *channel;
    CSubDlgChannelNameEdit editor(&copy);
    if (editor.DoModal() != IDOK)
        return DRV_OK;
    // Unchecked: the reload shows what the driver kept.
    RenameChannel(theDrv, copy, std::string(FieldText(copy.channelName)));
    RefreshChannelList();
    return DRV_OK;
}

void CDlgPgChannels::OnEditButton()
{
    const int selected = m_list.GetFirstSelectedIndex();
    if (selected >= 0)
        EditChannelName(m_list.GetItemData(selected));
}

bool CDlgPgChannels::OnCommand(UINT id, UINT code, HWND control)
{
    if (code == BN_CLICKED && id == IDC_INCLUDE_DEVICE_NAME) {
        OnIncludeDeviceNameClicked();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_EDIT_CHANNEL_NAME) {
        OnEditButton();
        return true;
    }
    return CDialogPage::OnCommand(id, code, control);
}

bool CDlgPgChannels::OnNotify(NMHDR* header, LRESULT& result)
{
    return RouteListNotify(*this, header, IDC_CHANNEL_LIST, result, &CDlgPgChannels::UpdateSelectedChannelInfo,
                           &CDlgPgChannels::OnEditButton) ||
           CDialogPage::OnNotify(header, result);
}
