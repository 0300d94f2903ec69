// The panel's icon in the notification area, with its tip and balloons.
#pragma once
#include <windows.h>
#include <cstdint>

class CTrayIcon {
public:
    CTrayIcon() = default;

    void Init(HWND owner, uint32_t iconId);
    // Nothing happens before Init. The tip is cut to 127 characters. Adding also asks
    // for the shell's version 4 behaviour: keyboard selection and the context menu
    // arrive as NIN_KEYSELECT and WM_CONTEXTMENU, the message in lParam's low word.
    BOOL Add(HICON icon, const char* tip);
    BOOL Modify(HICON icon, const char* tip);
    // A balloon; the shell keeps it back while the user does not want to be disturbed.
    BOOL ShowBalloon(const char* title, const char* text, DWORD iconFlags);
    // How many balloons the panel has asked the shell for: the shell shows each only
    // for a while, and keeps some back, so this is what the panel itself did.
    unsigned BalloonsAsked() const { return m_nBalloonsAsked; }
    // Gives the keyboard focus back to the notification area, after a menu the user
    // opened with the keyboard was cancelled.
    BOOL ReturnFocus();
    BOOL Delete();

private:
    HWND m_hWndOwner = nullptr;
    uint32_t m_nIconId = 0;
    unsigned m_nBalloonsAsked = 0;
};
