#include "pages/DlgPgStreams.h"

#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "text/StreamText.h"
#include "res/StreamTexts.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/ResourceText.h"

CDlgPgStreams::CDlgPgStreams() : CDialogPage(IDD_PG_STREAMS) {}

void CDlgPgStreams::DoDataExchange(CDataExchange* dx)
{
    CDialogPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_STREAM_LIST, m_list);
    DDX_Text(dx, IDC_STREAM_DETAILS, m_strDetails);
}

BOOL CDlgPgStreams::OnInitDialog()
{
    CDialogPage::OnInitDialog();
    m_list.InsertColumn(0, LoadResString(IDS_COL_DEVICE_NAME), LVCFMT_LEFT, 140);
    const UINT plugColumns[] = {IDS_COL_AUDIO_OUT_PLUG, IDS_COL_AUDIO_IN_PLUG, IDS_COL_SYNCH_OUT_PLUG,
                                IDS_COL_SYNCH_IN_PLUG};
    for (int i = 0; i < 4; ++i)
        m_list.InsertColumn(i + 1, LoadResString(plugColumns[i]), LVCFMT_LEFT, 90);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | kPageListStyles);
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_STREAM_LIST));
    Refresh();
    return TRUE;
}

void CDlgPgStreams::Refresh()
{
    m_strDetails.clear();
    m_summary = {};
    CStreamingVerdict verdict;
    {
        CListCtrlEx::CRebuild rebuild(m_list);
        m_list.DeleteAllItems();
        m_summary.driverAnswered = theDrv.RefreshDevices() == DRV_OK;
        if (m_summary.driverAnswered) {
            for (int i = 0; i < theDrv.m_devices.GetSize(); ++i) {
                const _OVX_DEVICE_PROPERTIES* device = theDrv.m_devices.GetAt(i);
                if (!device)
                    continue;
                const int row = m_list.InsertItem(i, std::string(FieldText(device->name)), static_cast<DWORD_PTR>(i));
                _STREAM_INFO info{};
                const uint32_t deviceId = device->deviceId;
                if (theDrv.GetStreamInfo(&deviceId, &info) != DRV_OK) {
                    verdict.AddDevice(nullptr);
                    continue;
                }
                verdict.AddDevice(&info);
                for (int plug = 0; plug < 4; ++plug)
                    m_list.SetItemText(row, plug + 1, FormatPlugState(PlugOf(info, plug)));
                NoteFailure(*device, info);
            }
        }
    }
    // Without a row to keep selected, the first one is.
    const int rows = m_list.GetItemCount();
    if (rows > 0 && m_list.GetFirstSelectedIndex() < 0)
        m_list.SelectRow(0);
    m_summary.state = verdict.State();
    SetPaneText(3, LoadResString(StreamingStateTextId(m_summary.state)));
    UpdateData(FALSE);
}

void CDlgPgStreams::NoteFailure(const _OVX_DEVICE_PROPERTIES& device, const _STREAM_INFO& info)
{
    uint32_t error = 0;
    if (!m_summary.failure.empty() || !FirstFailedAudioPlug(info, error))
        return;
    m_summary.failedDevice = FieldText(device.name);
    m_summary.failureCode = error;
    m_summary.failure = m_summary.failedDevice + ": " + FormatStreamError(error);
}

void CDlgPgStreams::OnListItemChanged()
{
    m_strDetails.clear();
    const int selected = m_list.GetFirstSelectedIndex();
    if (selected >= 0) {
        const _OVX_DEVICE_PROPERTIES* device = theDrv.m_devices.AtIndex(m_list.GetItemData(selected));
        _STREAM_INFO info{};
        if (device && theDrv.GetStreamInfo(&device->deviceId, &info) == DRV_OK) {
            for (int plug = 0; plug < 4; ++plug) {
                if (plug > 0)
                    m_strDetails += '\n';
                m_strDetails += FormatPlugDetails(PlugOf(info, plug), kPlugLabels[plug]);
            }
        }
    }
    UpdateData(FALSE);
}

bool CDlgPgStreams::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_STREAM_LIST && header->code == LVN_ITEMCHANGED) {
        OnListItemChanged();
        result = 0;
        return true;
    }
    return CDialogPage::OnNotify(header, result);
}
