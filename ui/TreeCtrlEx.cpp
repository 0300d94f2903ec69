#include "ui/TreeCtrlEx.h"

HTREEITEM CTreeCtrlEx::InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent,
                                  HTREEITEM after)
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(::SendMessageA(m_hWnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

BOOL CTreeCtrlEx::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEMA tvItem{};
    tvItem.mask = TVIF_PARAM;
    tvItem.hItem = item;
    tvItem.lParam = static_cast<LPARAM>(data);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)));
}

DWORD_PTR CTreeCtrlEx::GetItemData(HTREEITEM item) const
{
    TVITEMA tvItem{};
    tvItem.mask = TVIF_PARAM;
    tvItem.hItem = item;
    if (!item || !::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)))
        return 0;
    return static_cast<DWORD_PTR>(tvItem.lParam);
}

std::string CTreeCtrlEx::GetItemText(HTREEITEM item) const
{
    char buffer[256] = "";
    TVITEMA tvItem{};
    tvItem.mask = TVIF_TEXT;
    tvItem.hItem = item;
    tvItem.pszText = buffer;
    tvItem.cchTextMax = sizeof buffer;
    if (!item || !::SendMessageA(m_hWnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvItem)))
        return {};
    return buffer;
}

HTREEITEM CTreeCtrlEx::GetSelectedItem() const
{
    return reinterpret_cast<HTREEITEM>(::SendMessageA(m_hWnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM CTreeCtrlEx::GetRootItem() const
{
    return reinterpret_cast<HTREEITEM>(::SendMessageA(m_hWnd, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

HTREEITEM CTreeCtrlEx::GetNextSiblingItem(HTREEITEM item) const
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_hWnd, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

BOOL CTreeCtrlEx::SelectItem(HTREEITEM item)
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
}

UINT CTreeCtrlEx::GetCount() const
{
    return static_cast<UINT>(::SendMessageA(m_hWnd, TVM_GETCOUNT, 0, 0));
}

HIMAGELIST CTreeCtrlEx::SetImageList(HIMAGELIST images, int kind)
{
    return reinterpret_cast<HIMAGELIST>(
        ::SendMessageA(m_hWnd, TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images)));
}
