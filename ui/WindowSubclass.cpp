#include "ui/WindowSubclass.h"

#include <algorithm>
#include <vector>

namespace {

// A subclassed window: its own procedure and who observes it. The windows are the GUI
// thread's, and their procedures run on it; the framework subclasses a handful.
struct Subclassed {
    HWND window;
    WNDPROC original;
    CWindowSubclass::Observer observer;
    void* context;
};

std::vector<Subclassed>& Windows()
{
    static std::vector<Subclassed> windows;
    return windows;
}

std::vector<Subclassed>::iterator Find(HWND window)
{
    std::vector<Subclassed>& windows = Windows();
    return std::find_if(windows.begin(), windows.end(), [&](const Subclassed& s) { return s.window == window; });
}

}  // namespace

bool CWindowSubclass::Install(HWND window, Observer observer, void* context)
{
    if (const auto known = Find(window); known != Windows().end()) {
        known->observer = observer;
        known->context = context;
        return true;
    }
    const auto original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowSubclass::Procedure)));
    if (!original)
        return false;
    Windows().push_back(Subclassed{window, original, observer, context});
    return true;
}

bool CWindowSubclass::IsInstalled(HWND window)
{
    return window && Find(window) != Windows().end();
}

LRESULT CALLBACK CWindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = Find(window);
    if (found == Windows().end())
        return ::DefWindowProcW(window, message, wParam, lParam);
    const Subclassed subclassed = *found;
    if (message == WM_NCDESTROY) {
        // The window's last message: its own procedure takes it back, and the entry goes.
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassed.original));
        Windows().erase(found);
    }
    subclassed.observer(subclassed.context, window, message, wParam, lParam);
    return ::CallWindowProcW(subclassed.original, window, message, wParam, lParam);
}
