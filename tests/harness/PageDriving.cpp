#include "tests/harness/PageDriving.h"

#include <commctrl.h>
#include "tests/harness/PanelHarness.h"

namespace Ui {

std::string Cell(HWND list, int row, int column)
{
    char text[1024] = "";
    ListView_GetItemText(list, row, column, text, sizeof text);
    return text;
}

std::vector<std::string> Column(HWND list, int column)
{
    std::vector<std::string> cells;
    const int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row)
        cells.push_back(Cell(list, row, column));
    return cells;
}

int SelectedRow(HWND list)
{
    return ListView_GetNextItem(list, -1, LVNI_SELECTED);
}

std::vector<bool> Ticks(HWND list)
{
    std::vector<bool> ticks;
    for (int row = 0; row < ListView_GetItemCount(list); ++row)
        ticks.push_back(ListView_GetCheckState(list, row) != FALSE);
    return ticks;
}

void SelectRow(HWND list, int row)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void DoubleClickRow(HWND list, int row)
{
    RECT rect{};
    ListView_GetItemRect(list, row, &rect, LVIR_LABEL);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // The first click of the two selects the row (its button-down would start the
    // list's drag detection, which waits for a real mouse).
    SelectRow(list, row);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::SendMessageA(list, WM_LBUTTONUP, 0, point);
}

void Click(HWND button)
{
    if (::IsWindowEnabled(button))
        ::SendMessageA(button, BM_CLICK, 0, 0);
}

bool Enabled(HWND control)
{
    return ::IsWindowEnabled(control) != FALSE;
}

bool Checked(HWND checkBox)
{
    return ::SendMessageA(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Shown(HWND control)
{
    return (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Type(HWND edit, const std::string& text)
{
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    ::SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressKey(HWND control, WPARAM key)
{
    ::SetFocus(control);
    ::SendMessageA(control, WM_KEYDOWN, key, 0);
    ::SendMessageA(control, WM_KEYUP, key, 0);
}

void PressSpaceOn(HWND list, int row)
{
    SelectRow(list, row);
    PressKey(list, VK_SPACE);
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

void Choose(HWND combo, int index)
{
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

}  // namespace Ui

void AnswerNameEditor(int editId, const std::string& text, bool ok)
{
    AnswerNextDialog([=](HWND dialog) {
        if (ok)
            Ui::Type(::GetDlgItem(dialog, editId), text);
        ::SendMessageA(::GetDlgItem(dialog, ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    });
}
