#include "app/OVX_CPLView.h"

#include <algorithm>
#include <vector>

#include "app/AppMessages.h"
#include "app/DeviceInterface.h"
#include "app/MainFrm.h"
#include "app/OVX_CPL.h"
#include "driver/Drv.h"
#include "driver/RecordText.h"
#include "pages/SyncModeText.h"
#include "res/StreamTexts.h"
#include "res/resource.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/Dpi.h"
#include "ui/ResourceText.h"
#include "ui/WinApp.h"

namespace {

// Icons of the tree's image list, in image order.
constexpr UINT kTreeIcons[] = {IDI_TREE_GENERAL, IDI_TREE_DEVICES,  IDI_TREE_SETTINGS,
                               IDI_TREE_CHANNELS, IDI_TREE_STREAMS, IDI_TREE_SYNCHRONISATION};

// The page table's rows in the order of one of their places (tree or refresh).
template <typename Place>
std::vector<size_t> RowsByPlace(Place place)
{
    std::vector<size_t> rows;
    for (size_t row = 0; row < PageTable().size(); ++row) {
        if (place(PageTable()[row]) >= 0)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end(),
              [&](size_t a, size_t b) { return place(PageTable()[a]) < place(PageTable()[b]); });
    return rows;
}

}  // namespace

COVX_CPLView::COVX_CPLView() : CFormView(IDD_OVX_CPL_FORM)
{
    for (size_t row = 0; row < kPageCount; ++row)
        m_pages[row].reset(PageTable()[row].create());
    // A driver that is absent now may arrive later; the device change retries.
    theDrv.Open(kOvxDeviceName);
}

COVX_CPLView::~COVX_CPLView()
{
    theDrv.Close();
}

BOOL COVX_CPLView::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style &= ~static_cast<LONG>(WS_BORDER);
    return CFormView::PreCreateWindow(cs);
}

void COVX_CPLView::DoDataExchange(CDataExchange* dx)
{
    CFormView::DoDataExchange(dx);
    DDX_Control(dx, IDC_PAGE_TREE, m_tree);
}

void COVX_CPLView::StartNotifier()
{
    m_notificator.SetTarget(m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
    m_notificator.Start(kOvxDeviceName);
}

void COVX_CPLView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    m_hDevNotify = RegisterForDeviceInterface(m_hWnd);
    if (!m_notificator.IsRunning())
        StartNotifier();
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    ResizeParentToFit(TRUE);
    if (!m_bFirstUpdate)
        return;

    CreatePages();
    HideAllPages();
    BuildPageTree();
    HideAllPages();
    auto* app = dynamic_cast<COVX_CPLApp*>(AfxGetApp());
    m_tree.SelectItem(TreeItemOf(app && app->m_bShowSettingsPage ? PAGE_SETTINGS : PAGE_DEVICES));
    m_bFirstUpdate = false;
    ReportFindings();
}

void COVX_CPLView::CreatePages()
{
    const int x = ScaleToWindow(m_hWnd, kPageLeft);
    const int y = ScaleToWindow(m_hWnd, kPageTop);
    for (CDialogPage* page : AllPages()) {
        if (page->Create(this, this))
            page->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
}

HTREEITEM COVX_CPLView::TreeItemOf(uint32_t kind) const
{
    for (size_t row = 0; row < kPageCount; ++row) {
        if (PageTable()[row].kind == kind)
            return m_treeItems[row];
    }
    return nullptr;
}

void COVX_CPLView::BuildPageTree()
{
    const int size = ScaleToWindow(m_hWnd, 16);
    // 32-bit images with their alpha, so the art keeps its colours and soft edges.
    m_imageList.Reset(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 6, 1));
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (UINT id : kTreeIcons) {
        // The image of the list's own size, drawn for it rather than scaled down.
        CIconHandle icon(
            static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
        ::ImageList_AddIcon(m_imageList.Get(), icon.Get());
    }
    m_tree.SetImageList(m_imageList.Get(), TVSIL_NORMAL);
    SetAccessibleName(m_tree.m_hWnd, LoadResString(IDS_NAME_PAGE_TREE));

    for (const size_t row : RowsByPlace([](const PageTableRow& page) { return page.treePlace; })) {
        const PageTableRow& page = PageTable()[row];
        m_treeItems[row] = m_tree.InsertItem(LoadResString(page.titleId), page.image, page.image, TVI_ROOT, TVI_LAST);
        m_tree.SetItemData(m_treeItems[row], PageItemData(page.kind));
    }
}

void COVX_CPLView::HideAllPages()
{
    for (CDialogPage* page : AllPages())
        if (page->m_hWnd)
            page->ShowWindow(SW_HIDE);
}

std::array<CDialogPage*, kPageCount> COVX_CPLView::AllPages() const
{
    std::array<CDialogPage*, kPageCount> pages{};
    for (size_t row = 0; row < kPageCount; ++row)
        pages[row] = m_pages[row].get();
    return pages;
}

CDialogPage* COVX_CPLView::PageOf(uint32_t kind) const
{
    for (size_t row = 0; row < kPageCount; ++row) {
        if (PageTable()[row].kind == kind)
            return m_pages[row].get();
    }
    return nullptr;
}

LRESULT COVX_CPLView::OnPageTreeSelChanged()
{
    HideAllPages();
    const uint32_t kind = static_cast<uint32_t>(m_tree.GetItemData(m_tree.GetSelectedItem())) >> 24;
    // The Streams page has no tree item; only the kinds of the tree are shown.
    const PageTableRow* row = FindPageRow(kind);
    if (row && row->treePlace >= 0) {
        PageOf(kind)->ShowWindow(SW_SHOW);
        if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            frame->SetStatusText(LoadResString(row->titleId));
    }
    return 0;
}

bool COVX_CPLView::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_PAGE_TREE && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
        result = OnPageTreeSelChanged();
        return true;
    }
    return false;
}

void COVX_CPLView::RefreshAllPages()
{
    // Before the first initial update there are no page windows to fill.
    if (m_bFirstUpdate)
        return;
    static const std::vector<size_t> refreshOrder =
        RowsByPlace([](const PageTableRow& page) { return page.refreshPlace; });
    for (const size_t row : refreshOrder)
        m_pages[row]->Refresh();
    ReportFindings();
    // Within a drain of driver events the drain's end tells what the refreshes found.
    if (!m_bDraining)
        EndOfRefreshes();
}

void COVX_CPLView::EndOfRefreshes() const
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->OnRefreshesDone();
}

void COVX_CPLView::ReportFindings() const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    if (!frame)
        return;
    PanelFindings findings;
    DriverFindings& driver = findings.driver;
    const CDlgPgStreams::Summary& streams = StreamsPage().LastFound();
    driver.driverReached = streams.driverAnswered;
    if (driver.driverReached) {
        for (int i = 0; i < theDrv.m_devices.GetSize(); ++i)
            if (const _OVX_DEVICE_PROPERTIES* device = theDrv.m_devices.GetAt(i))
                driver.devices.push_back({device->deviceId, std::string(FieldText(device->name)),
                                          std::string(FieldText(device->serialNumber))});
    }
    driver.sampleRate = SynchronisationPage().ShownRate();
    driver.clockKnown = SynchronisationPage().ClockRead();
    driver.clockSource = theDrv.m_clockSource;
    driver.streaming = streams.state;
    driver.failedDevice = streams.failedDevice;
    driver.failureCode = streams.failureCode;
    findings.rateText = FormatSampleRate(driver.sampleRate);
    findings.streamingText = LoadResString(StreamingStateTextId(streams.state));
    findings.streamFailure = streams.failure;
    frame->OnPanelRefreshed(findings);
}

void COVX_CPLView::RefreshAfterOwnWrites()
{
    // Every event queued so far is answered by the refresh below; one that comes later
    // still refreshes the pages as any event does.
    _DRIVER_EVENT_INFO event{};
    unsigned drained = 0;
    while (drained < kEventsPerBatch && m_notificator.GetNextEvent(&event) == DRV_OK)
        ++drained;
    ShowIncludeDeviceName(theDrv.m_nAsioNameOption != 0 ? 1 : 0);
    RefreshAllPages();
}

void COVX_CPLView::SetPaneText(int pane, const std::string& text)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->SetPaneText(pane, text);
}

void COVX_CPLView::ShowIncludeDeviceName(int include)
{
    for (const uint32_t kind : {PAGE_INPUT_CHANNELS, PAGE_OUTPUT_CHANNELS})
        static_cast<CDlgPgChannels*>(PageOf(kind))->ShowIncludeDeviceName(include);
}

std::optional<std::chrono::system_clock::time_point> COVX_CPLView::DropOutsWatchedSince() const
{
    auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    return frame ? frame->DropOutWatch().Since() : std::nullopt;
}

void COVX_CPLView::OnDropOutsRead(uint32_t count)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->OnDropOutsRead(count);
}

void COVX_CPLView::SelectSettingsPage()
{
    m_tree.SelectItem(TreeItemOf(PAGE_SETTINGS));
}

void COVX_CPLView::OnPanelVisibilityChanged(bool visible)
{
    static_cast<CDlgPgASIOSettings*>(PageOf(PAGE_SETTINGS))->OnPanelVisibilityChanged(visible);
}

void COVX_CPLView::RefreshDependentPages()
{
    if (m_bFirstUpdate)
        return;
    for (const uint32_t kind : {PAGE_INPUT_CHANNELS, PAGE_OUTPUT_CHANNELS})
        static_cast<CDlgPgChannels*>(PageOf(kind))->RefreshChannelList();
    SynchronisationPage().RefreshList();
}

BOOL COVX_CPLView::OnDeviceChange(UINT event, const DEV_BROADCAST_HDR* data)
{
    // Any process may send WM_DEVICECHANGE. Only the events with the 0x8000 bit carry a
    // record, and only for those does the system copy it into this process; any other
    // event's lParam is a number from the sender, never to be read.
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    if (!data)
        return TRUE;
    const std::string name = DeviceInterfaceName(data);
    if (name.size() >= 5)
        ReconnectDriver();
    return TRUE;
}

bool COVX_CPLView::DriverAnswers()
{
    _DRIVER_VERSION_INFO version{};
    return theDrv.IsOpen() && theDrv.GetDriverVersion(&version) == DRV_OK;
}

bool COVX_CPLView::ReopenIfDead()
{
    // A handle opened before the driver was unloaded stays open but never answers
    // again: only a connection that still answers is kept.
    if (DriverAnswers())
        return false;
    if (theDrv.IsOpen()) {
        theDrv.Close();
        m_notificator.Stop();
    }
    if (theDrv.Open(kOvxDeviceName) == DRV_OK && !m_notificator.IsRunning())
        StartNotifier();
    return true;
}

void COVX_CPLView::ReconnectDriver()
{
    if (ReopenIfDead())
        RefreshAllPages();
}

void COVX_CPLView::ReadAllAfterResume()
{
    ReopenIfDead();
    RefreshAllPages();
}

LRESULT COVX_CPLView::OnDriverEvent(WPARAM, LPARAM)
{
    // One signal may stand for several events, or for none left: drain until the
    // driver says there is nothing more. A driver that never runs dry (a storm of
    // events, or a faulty driver) must not keep the panel from its input, so one
    // notification handles a bounded batch and the rest continues later.
    const ULONGLONG start = ::GetTickCount64();
    bool refreshed = false;
    m_bDraining = true;
    for (unsigned handled = 0;; ++handled) {
        if (handled == kEventsPerBatch || (handled > 0 && ::GetTickCount64() - start >= kBatchMilliseconds)) {
            ContinueDraining();
            break;
        }
        _DRIVER_EVENT_INFO event{};
        if (m_notificator.GetNextEvent(&event) != DRV_OK)
            break;
        if (EventChangesDriverState(event.kind)) {
            RefreshAllPages();
            refreshed = true;
        }
    }
    m_bDraining = false;
    // One batch of events is one telling of what changed: at most one balloon, and the
    // history's entries in their order.
    if (refreshed)
        EndOfRefreshes();
    return 0;
}

void COVX_CPLView::ContinueDraining()
{
    // Posted messages are taken before input, painting and timers, so a backlog that
    // went on posting to itself would starve them. While any of them waits, the rest
    // of the drain follows a one-shot timer, which comes after all of them.
    if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0)
        ::SetTimer(m_hWnd, kEventBacklogTimer, USER_TIMER_MINIMUM, nullptr);
    else
        ::PostMessageA(m_hWnd, WM_APP_DRIVER_EVENT, 0, 0);
}

bool COVX_CPLView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_APP_DRIVER_EVENT:
        result = OnDriverEvent(wParam, lParam);
        return true;
    case WM_TIMER:
        if (wParam != kEventBacklogTimer)
            return false;
        ::KillTimer(m_hWnd, kEventBacklogTimer);
        result = OnDriverEvent(0, 0);
        return true;
    case WM_DEVICECHANGE:
        result = OnDeviceChange(static_cast<UINT>(wParam), reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
        return true;
    default:
        return false;
    }
}

void COVX_CPLView::OnDestroy()
{
    ::KillTimer(m_hWnd, kEventBacklogTimer);
    m_notificator.Stop();
    m_notificator.SetTarget(nullptr, 0, 0, 0);
    CFormView::OnDestroy();
}
