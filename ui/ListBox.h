// A list box. Thin: one method per message, no state.
#pragma once
#include <windows.h>
#include <string>
#include "ui/Wnd.h"

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    // The index of the new entry, or LB_ERR.
    int AddString(const std::string& text) const
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { SendMessage(LB_RESETCONTENT); }
    // -1 selects nothing.
    void SetCurSel(int index) const { SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    // LB_ERR when nothing is selected.
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    // Empty for an index without an entry.
    std::string GetText(int index) const
    {
        const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR)
            return {};
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
        return text;
    }
};
