#include "tests/harness/ReaderNames.h"

#include <oleacc.h>
#include <commctrl.h>
#include <cstring>

#include "tests/harness/PanelHarness.h"

namespace {

// The IID_IAccessible that MinGW's oleacc import library carries is not the one oleacc
// answers to under Wine (E_NOINTERFACE); this is the interface's own.
constexpr IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool NamedByLabel(HWND control)
{
    const std::string name = ClassOf(control);
    return name == "Edit" || name == "ComboBox" || name == "ListBox" || name == TRACKBAR_CLASSA;
}

std::string WithoutMnemonic(std::string text)
{
    const size_t at = text.find('&');
    if (at != std::string::npos)
        text.erase(at, 1);
    return text;
}

std::string LabelBefore(HWND control)
{
    for (HWND window = ::GetWindow(control, GW_HWNDPREV); window; window = ::GetWindow(window, GW_HWNDPREV)) {
        const LONG style = ::GetWindowLongA(window, GWL_STYLE);
        if (!(style & WS_VISIBLE))
            continue;
        if (::SendMessageA(window, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) {
            char text[256] = "";
            ::GetWindowTextA(window, text, sizeof text);
            return WithoutMnemonic(text);
        }
        if (style & (WS_TABSTOP | WS_GROUP))
            break;
    }
    return {};
}

std::string OleaccName(HWND control)
{
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                            reinterpret_cast<void**>(&accessible))))
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (accessible->get_accName(self, &name) == S_OK && name) {
        char narrow[512] = "";
        ::WideCharToMultiByte(CP_ACP, 0, name, -1, narrow, sizeof narrow, nullptr, nullptr);
        text = narrow;
        ::SysFreeString(name);
    }
    accessible->Release();
    return text;
}

bool Reachable(HWND control)
{
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    const std::string name = ClassOf(control);
    return (style & WS_VISIBLE) && ((style & WS_TABSTOP) || name == WC_LISTVIEWA || name == WC_TREEVIEWA);
}

}  // namespace

namespace Reader {

std::string Name(HWND control)
{
    return NamedByLabel(control) ? LabelBefore(control) : OleaccName(control);
}

std::vector<std::string> Unnamed(HWND window)
{
    std::vector<std::string> unnamed;
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (Reachable(child) && Name(child).empty())
            unnamed.push_back(ClassOf(child) + " " + std::to_string(::GetDlgCtrlID(child)));
    }
    return unnamed;
}

}  // namespace Reader
