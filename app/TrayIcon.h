// The panel's icon in the notification area.
#pragma once
#include <windows.h>
#include <cstdint>

class CTrayIcon {
public:
    CTrayIcon() = default;

    void Init(HWND owner, uint32_t iconId);
    // Nothing happens before Init. The tip is cut to 127 characters.
    BOOL Add(HICON icon, const char* tip);
    BOOL Delete();

private:
    HWND m_hWndOwner = nullptr;
    uint32_t m_nIconId = 0;
};
