// A drop-down combo box. Thin: one method per message, no state.
#pragma once
#include <windows.h>
#include <string>
#include "ui/Wnd.h"

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    // The index of the new entry, or CB_ERR.
    int AddString(const std::string& text) const
    {
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { SendMessage(CB_RESETCONTENT); }
    DWORD_PTR GetItemData(int index) const
    {
        return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(index)));
    }
    BOOL SetItemData(int index, DWORD_PTR data) const
    {
        return SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)) != CB_ERR;
    }
    // -1 selects nothing.
    void SetCurSel(int index) const { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    // CB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // Empty for an index without an entry.
    std::string GetLBText(int index) const
    {
        const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR)
            return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
        return text;
    }
};
