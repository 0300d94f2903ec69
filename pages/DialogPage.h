// A settings page: a modeless child dialog of the view, created once from its
// template, shown or hidden by the view and never ended by Enter or Escape.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "pages/PageHost.h"
#include "ui/Dialog.h"

// The extended styles of the pages' report lists: grid lines, header drag-and-drop
// and full-row selection.
constexpr DWORD kPageListStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;

class CDialogPage : public CDialog {
public:
    explicit CDialogPage(UINT templateId) : CDialog(templateId), m_nTemplateId(templateId) {}

    // Reads the page's part of the driver again and shows it.
    virtual void Refresh() = 0;

    // The host lives as long as the page; without one the page asks nothing of it.
    BOOL Create(CWnd* parent, IPageHost* host)
    {
        m_pHost = host;
        return CDialog::Create(m_nTemplateId, parent);
    }

protected:
    void OnOK() override {}
    void OnCancel() override {}

    // The pages' rows carry indices and own nothing, so a list that deletes all its
    // rows is told not to announce each row on its own.
    bool OnNotify(NMHDR* header, LRESULT& result) override
    {
        if (header->code != LVN_DELETEALLITEMS)
            return CDialog::OnNotify(header, result);
        result = TRUE;
        return true;
    }

    // The list conventions of the pages: every item state change of the list runs
    // onStateChanged, a double click on it onDoubleClick; both are reported handled.
    template <typename Page>
    static bool RouteListNotify(Page& page, const NMHDR* header, UINT_PTR listId, LRESULT& result,
                                void (Page::*onStateChanged)(), void (Page::*onDoubleClick)())
    {
        if (header->idFrom != listId || (header->code != LVN_ITEMCHANGED && header->code != NM_DBLCLK))
            return false;
        (page.*(header->code == LVN_ITEMCHANGED ? onStateChanged : onDoubleClick))();
        result = TRUE;
        return true;
    }

    void SetPaneText(int pane, const std::string& text) const
    {
        if (m_pHost)
            m_pHost->SetPaneText(pane, text);
    }
    std::optional<std::chrono::system_clock::time_point> DropOutsWatchedSince() const
    {
        return m_pHost ? m_pHost->DropOutsWatchedSince() : std::nullopt;
    }
    void DropOutsRead(uint32_t count) const
    {
        if (m_pHost)
            m_pHost->OnDropOutsRead(count);
    }
    void RefreshDependentPages() const
    {
        if (m_pHost)
            m_pHost->RefreshDependentPages();
    }

    const UINT m_nTemplateId;
    IPageHost* m_pHost = nullptr;
};
