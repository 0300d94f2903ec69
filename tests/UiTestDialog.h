// A dialog of the framework made from a template in memory (an edit box, a static and a
// check box), so the framework tests need no resources.
#pragma once
#include <windows.h>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/DataExchange.h"
#include "ui/Dialog.h"

constexpr int kEditId = 100;
constexpr int kLabelId = 101;
constexpr int kCheckBoxId = 102;
constexpr UINT kThrowMessage = WM_APP + 40;   // the dialog's handler throws for it

class CDialogTemplate {
public:
    CDialogTemplate()
    {
        Dword(WS_POPUP | DS_MODALFRAME);
        Dword(0);
        Word(3);   // controls
        Words({0, 0, 200, 100});
        Words({0, 0, 0});   // no menu, the dialog class, no title
        Item(kEditId, 0x0081, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL);
        Item(kLabelId, 0x0082, WS_CHILD | WS_VISIBLE);
        Item(kCheckBoxId, 0x0080, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD value) { m_words.push_back(value); }
    void Words(std::initializer_list<WORD> values) { m_words.insert(m_words.end(), values); }
    void Dword(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Item(WORD id, WORD atom, DWORD style)
    {
        if (m_words.size() % 2)
            Word(0);   // items start on a DWORD boundary
        Dword(style);
        Dword(0);
        Words({10, 10, 100, 14, id, 0xFFFF, atom, 0, 0});   // place, id, class, no text, no data
    }
    std::vector<WORD> m_words;
};

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(0) {}
    BOOL Create() { return CreateIndirect(CDialogTemplate().Get(), nullptr); }

    std::string m_strText;
    int m_nBoundId = kEditId;
    HBRUSH m_hLabelBrush = nullptr;
    std::vector<UINT>* m_pCalls = nullptr;   // every message that reached the object

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, m_nBoundId, m_strText); }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (m_pCalls)
            m_pCalls->push_back(message);
        if (message == kThrowMessage)
            throw std::runtime_error("handler failed");
        if (message == WM_CTLCOLORSTATIC && m_hLabelBrush) {
            result = reinterpret_cast<LRESULT>(m_hLabelBrush);
            return true;
        }
        return false;
    }
};

// A control of the dialog that the template does not hold.
inline HWND AddControl(const CDialog& dialog, const char* className, DWORD style, int id)
{
    return ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 10, 40, 150, 40, dialog.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
}
