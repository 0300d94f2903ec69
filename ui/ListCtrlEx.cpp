#include "ui/ListCtrlEx.h"

#include "ui/Dpi.h"

int CListCtrlEx::GetFirstSelectedIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int CListCtrlEx::InsertColumn(int column, const std::string& heading, int format, int widthAt96)
{
    LVCOLUMNA col{};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = ScaleToWindow(m_hWnd, widthAt96);
    col.pszText = const_cast<char*>(heading.c_str());
    col.iSubItem = column;
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                           reinterpret_cast<LPARAM>(&col)));
}

int CListCtrlEx::InsertItem(int row, const std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrlEx::InsertItem(int row, const std::string& text, DWORD_PTR data)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrlEx::SetItemText(int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMTEXTA, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrlEx::GetItemText(int row, int column) const
{
    char buffer[512] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    const LRESULT length = ::SendMessageA(m_hWnd, LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                                          reinterpret_cast<LPARAM>(&item));
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

BOOL CListCtrlEx::SetItemData(int row, DWORD_PTR data)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

DWORD_PTR CListCtrlEx::GetItemData(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrlEx::DeleteAllItems()
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

BOOL CListCtrlEx::DeleteItem(int row)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_DELETEITEM, static_cast<WPARAM>(row), 0));
}

int CListCtrlEx::GetItemCount() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

BOOL CListCtrlEx::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrlEx::GetItemState(int row, UINT mask) const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

BOOL CListCtrlEx::SelectRow(int row)
{
    return SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL CListCtrlEx::SetCheck(int row, BOOL checked)
{
    // State image 1 is the empty box, 2 the ticked one.
    return SetItemState(row, INDEXTOSTATEIMAGEMASK(checked ? 2U : 1U), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrlEx::GetCheck(int row) const
{
    return ((GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}

DWORD CListCtrlEx::GetExtendedStyle() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
}

DWORD CListCtrlEx::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

BOOL CListCtrlEx::EnsureVisible(int row)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE));
}

BOOL CListCtrlEx::SetItemCountEx(int count, DWORD flags)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), flags));
}

int CListCtrlEx::GetTopIndex() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETTOPINDEX, 0, 0));
}

int CListCtrlEx::GetCountPerPage() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LVM_GETCOUNTPERPAGE, 0, 0));
}

CListCtrlEx::CRebuild::CRebuild(CListCtrlEx& list) : m_list(list), m_nSelected(list.GetFirstSelectedIndex())
{
    m_list.SetRedraw(FALSE);
}

CListCtrlEx::CRebuild::~CRebuild()
{
    m_list.SetRedraw(TRUE);
    if (m_nSelected >= 0 && m_nSelected < m_list.GetItemCount())
        m_list.SelectRow(m_nSelected);
}
