#include "ui/Clipboard.h"

#include <cstring>

#include "ui/Handles.h"

namespace {

// OpenClipboard is paired with CloseClipboard on every path.
class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboardOpen()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;

    bool IsOpen() const { return m_bOpen; }

private:
    const bool m_bOpen;
};

}  // namespace

bool PutTextOnClipboard(HWND owner, std::wstring_view text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    // The clipboard takes movable global memory, and owns it once SetClipboardData succeeds.
    CGlobalHandle memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    void* locked = ::GlobalLock(memory.Get());
    if (!locked)
        return false;
    std::memcpy(locked, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(locked)[text.size()] = L'\0';
    ::GlobalUnlock(memory.Get());

    const CClipboardOpen clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory.Get()))
        return false;
    memory.Release();
    return true;
}
