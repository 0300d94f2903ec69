// The control panel view: the page tree on the left, the selected page beside it.
// It owns the pages and the driver event notifier, and turns device-interface news
// and driver events into page refreshes.
#pragma once
#include <windows.h>
#include <dbt.h>
#include <array>
#include <memory>
#include "app/PageTable.h"
#include "driver/Ovx1394Notificator.h"
#include "pages/DlgPgASIOSettings.h"
#include "pages/DlgPgChannels.h"
#include "pages/DlgPgDevices.h"
#include "pages/DlgPgStreams.h"
#include "pages/DlgPgSynchronisation.h"
#include "pages/PageHost.h"
#include "ui/FormView.h"
#include "ui/Handles.h"
#include "ui/TreeCtrlEx.h"

class COVX_CPLView : public CFormView, private IPageHost {
public:
    // The page's place in the view's client area, in pixels at 96 DPI.
    static constexpr int kPageLeft = 140;
    static constexpr int kPageTop = 2;

    COVX_CPLView();
    ~COVX_CPLView() override;

    void OnInitialUpdate() override;
    void RefreshAllPages();
    // After the computer resumed: the driver may have been reloaded while it slept, so
    // a connection that no longer answers is opened again; every page is read once.
    void ReadAllAfterResume();
    // After the panel's own writes outside the pages (a snapshot's restore): the
    // driver events they caused are taken now, not as news from elsewhere, and every
    // page is read afresh once. The channel pages show the model's include-device-name
    // option, which no refresh reads.
    void RefreshAfterOwnWrites();
    void RefreshDependentPages() override;
    void SelectSettingsPage();
    // The frame's visibility, for the one page that runs a timer.
    void OnPanelVisibilityChanged(bool visible);

    // The page of a kind, or null for a kind the view does not know.
    CDialogPage* PageOf(uint32_t kind) const;
    // Every page, in the order of the page table.
    std::array<CDialogPage*, kPageCount> AllPages() const;

    // For tests that drive the panel in their own process.
    const CTreeCtrlEx& Tree() const { return m_tree; }
    HWND TreeWindow() const { return m_tree.m_hWnd; }
    const COvx1394Notificator& Notifier() const { return m_notificator; }
    CDlgPgStreams& StreamsPage() const { return static_cast<CDlgPgStreams&>(*PageOf(PAGE_STREAMS)); }
    CDlgPgChannels& InputChannelsPage() const { return static_cast<CDlgPgChannels&>(*PageOf(PAGE_INPUT_CHANNELS)); }
    CDlgPgSynchronisation& SynchronisationPage() const
    {
        return static_cast<CDlgPgSynchronisation&>(*PageOf(PAGE_SYNCHRONISATION));
    }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void SetPaneText(int pane, const std::string& text) override;
    void ShowIncludeDeviceName(int include) override;
    std::optional<std::chrono::system_clock::time_point> DropOutsWatchedSince() const override;
    void OnDropOutsRead(uint32_t count) override;

    CTreeCtrlEx m_tree;
    std::array<HTREEITEM, kPageCount> m_treeItems{};   // by the page table's rows; null: no item
    CImageListHandle m_imageList;
    std::array<std::unique_ptr<CDialogPage>, kPageCount> m_pages;   // by the page table's rows
    bool m_bFirstUpdate = true;
    COvx1394Notificator m_notificator;
    CDeviceNotifyHandle m_hDevNotify;

    // The most events one notification handles before the rest waits its turn
    // behind the user's input: a count, and a time once one event is handled.
    static constexpr unsigned kEventsPerBatch = 64;
    static constexpr ULONGLONG kBatchMilliseconds = 50;
    static constexpr UINT_PTR kEventBacklogTimer = 1;

    // Refreshes inside one drain of driver events; its end tells what they found.
    bool m_bDraining = false;

    void CreatePages();
    void BuildPageTree();
    HTREEITEM TreeItemOf(uint32_t kind) const;
    void HideAllPages();
    LRESULT OnPageTreeSelChanged();
    BOOL OnDeviceChange(UINT event, const DEV_BROADCAST_HDR* data);
    static bool DriverAnswers();
    // Keeps a connection that answers; else opens it again. True when it did not answer.
    bool ReopenIfDead();
    void ReconnectDriver();
    LRESULT OnDriverEvent(WPARAM wParam, LPARAM lParam);
    void ContinueDraining();
    void StartNotifier();
    // Hands what the pages' refresh found to the frame (its tray icon and history).
    void ReportFindings() const;
    // A batch of refreshes is done: the frame tells what changed, once.
    void EndOfRefreshes() const;
};
