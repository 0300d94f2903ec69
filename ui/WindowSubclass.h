// The one way the framework puts itself in front of a window's own procedure: an
// observer sees each message first, then the window's procedure handles it as before.
// Not comctl32's SetWindowSubclass: that finds its data in a window property on every
// message, and under Wine each property read is a round trip to the window server.
#pragma once
#include <windows.h>

class CWindowSubclass {
public:
    // Sees a message before the window's own procedure does; cannot change it.
    using Observer = void (*)(void* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Installs observer on window, or points an installed one at the new context.
    // The observer sees WM_NCDESTROY last, after which the window's own procedure is
    // back in place. False when the window's procedure could not be replaced.
    static bool Install(HWND window, Observer observer, void* context);
    // Whether window's procedure is this one, that is whether Install succeeded for it
    // and it has not been destroyed since.
    static bool IsInstalled(HWND window);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
