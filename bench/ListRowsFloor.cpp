#include "bench/ListRowsFloor.h"

#include <commctrl.h>
#include <chrono>

namespace {

std::string ItemText(HWND list, int item, int column)
{
    char text[260] = "";
    LVITEMA lvi{};
    lvi.iSubItem = column;
    lvi.pszText = text;
    lvi.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return text;
}

}  // namespace

CListRowsFloor::~CListRowsFloor()
{
    if (m_host)
        ::DestroyWindow(m_host);
}

BOOL CALLBACK CListRowsFloor::CollectList(HWND hWnd, LPARAM self)
{
    char name[32] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpiA(name, WC_LISTVIEWA) != 0)
        return TRUE;
    List list;
    list.style = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, GWL_STYLE)) & ~static_cast<DWORD>(WS_VISIBLE);
    list.extendedStyle = ListView_GetExtendedListViewStyle(hWnd);
    list.columns = Header_GetItemCount(ListView_GetHeader(hWnd));
    const int count = ListView_GetItemCount(hWnd);
    for (int item = 0; item < count; ++item) {
        std::vector<std::string> row;
        for (int column = 0; column < list.columns; ++column)
            row.push_back(ItemText(hWnd, item, column));
        list.rows.push_back(std::move(row));
    }
    reinterpret_cast<CListRowsFloor*>(self)->m_lists.push_back(std::move(list));
    return TRUE;
}

void CListRowsFloor::CaptureFrom(HWND top)
{
    m_lists.clear();
    ::EnumChildWindows(top, CollectList, reinterpret_cast<LPARAM>(this));
    CreateBareLists();
}

void CListRowsFloor::CreateBareLists()
{
    if (m_host)
        ::DestroyWindow(m_host);
    m_host = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    for (List& list : m_lists) {
        list.bare = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | (list.style & 0xFFFF), 0, 0, 380, 280, m_host,
                                      nullptr, nullptr, nullptr);
        ListView_SetExtendedListViewStyle(list.bare, list.extendedStyle);
        for (int column = 0; column < list.columns; ++column) {
            LVCOLUMNA lvc{};
            lvc.mask = LVCF_TEXT | LVCF_WIDTH;
            lvc.cx = 80;
            lvc.pszText = const_cast<char*>("");
            ::SendMessageA(list.bare, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&lvc));
        }
    }
}

double CListRowsFloor::InsertAll()
{
    const auto start = std::chrono::steady_clock::now();
    for (List& list : m_lists) {
        ::SendMessageA(list.bare, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list.bare);
        int index = 0;
        for (const auto& row : list.rows) {
            LVITEMA lvi{};
            lvi.mask = LVIF_TEXT | LVIF_PARAM;
            lvi.iItem = index;
            lvi.lParam = index;
            lvi.pszText = const_cast<char*>(row.empty() ? "" : row[0].c_str());
            ::SendMessageA(list.bare, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
            for (int column = 1; column < list.columns; ++column) {
                LVITEMA sub{};
                sub.iSubItem = column;
                sub.pszText = const_cast<char*>(row[static_cast<size_t>(column)].c_str());
                ::SendMessageA(list.bare, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
            }
            ++index;
        }
        ::SendMessageA(list.bare, WM_SETREDRAW, TRUE, 0);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

size_t CListRowsFloor::Rows() const
{
    size_t rows = 0;
    for (const List& list : m_lists)
        rows += list.rows.size();
    return rows;
}
