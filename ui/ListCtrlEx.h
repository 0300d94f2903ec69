// The report list view of the pages. Thin: one method per message, no state.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "ui/Wnd.h"

class CListCtrlEx : public CWnd {
public:
    // The first row in the selected state, or -1 when none is.
    int GetFirstSelectedIndex() const;

    int InsertColumn(int column, const std::string& heading, int format, int widthAt96);
    int InsertItem(int row, const std::string& text);
    // A row with its item data from the start.
    int InsertItem(int row, const std::string& text, DWORD_PTR data);
    BOOL SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    BOOL SetItemData(int row, DWORD_PTR data);
    DWORD_PTR GetItemData(int row) const;
    BOOL DeleteAllItems();
    BOOL DeleteItem(int row);
    int GetItemCount() const;
    BOOL SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    // Selected and focused together, as a user's click leaves a row.
    BOOL SelectRow(int row);
    BOOL SetCheck(int row, BOOL checked);
    BOOL GetCheck(int row) const;
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD style);
    BOOL EnsureVisible(int row);
    // Owner-data lists (LVS_OWNERDATA): the number of rows the parent answers for.
    BOOL SetItemCountEx(int count, DWORD flags = 0);
    int GetTopIndex() const;
    int GetCountPerPage() const;

    // A rebuild of the rows: nothing is drawn while it lasts, and the row selected
    // when it began is selected again at its end if the list still has that row.
    class CRebuild {
    public:
        explicit CRebuild(CListCtrlEx& list);
        ~CRebuild();
        CRebuild(const CRebuild&) = delete;
        CRebuild& operator=(const CRebuild&) = delete;

    private:
        CListCtrlEx& m_list;
        const int m_nSelected;
    };
};
