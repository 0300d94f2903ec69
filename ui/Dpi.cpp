#include "ui/Dpi.h"

UINT WindowDpi(HWND hWnd)
{
    // GetDpiForWindow exists from Windows 10 1607 on; older systems have one DPI.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hWnd) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi)
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int ScaleToWindow(HWND hWnd, int pixelsAt96)
{
    return ::MulDiv(pixelsAt96, static_cast<int>(WindowDpi(hWnd)), USER_DEFAULT_SCREEN_DPI);
}
