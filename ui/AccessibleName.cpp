#include "ui/AccessibleName.h"

#include <objbase.h>
#include <oleacc.h>
#include <commctrl.h>
#include <cstring>

#include "text/Utf16.h"

namespace {

// Defined here rather than taken from libuuid, whose one object also defines the
// oleacc GUIDs that a program linking oleacc gets from there.
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kAccName = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

// COM for the calling thread, from its first annotation to the thread's end.
class CComApartment {
public:
    CComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComApartment()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

private:
    HRESULT m_hr;
};

bool TextIsNeverDrawn(HWND control)
{
    char name[32] = "";
    ::GetClassNameA(control, name, sizeof name);
    return std::strcmp(name, WC_LISTVIEWA) == 0 || std::strcmp(name, WC_TREEVIEWA) == 0;
}

void Annotate(HWND control, const std::string& name)
{
    thread_local const CComApartment apartment;
    IAccPropServices* services = nullptr;
    if (FAILED(::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                  reinterpret_cast<void**>(&services))))
        return;
    // Kept by the accessibility layer for the window's lifetime; a layer that does not
    // implement annotation refuses it, and the window text below then names the control.
    services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kAccName,
                             Utf16FromAnsiReplacing(name).c_str());
    services->Release();
}

}  // namespace

void SetAccessibleName(HWND control, const std::string& name)
{
    if (!control)
        return;
    Annotate(control, name);
    if (TextIsNeverDrawn(control))
        ::SetWindowTextA(control, name.c_str());
}
