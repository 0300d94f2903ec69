#include "app/TrayIcon.h"

#include <shellapi.h>
#include "app/AppMessages.h"

void CTrayIcon::Init(HWND owner, uint32_t iconId)
{
    m_hWndOwner = owner;
    m_nIconId = iconId;
}

namespace {

// The version-2 record with its 128-character tip; its size is the one the shell
// checks (504 bytes on x64, 488 on x86).
NOTIFYICONDATAA MakeRecord(HWND owner, uint32_t id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

}  // namespace

BOOL CTrayIcon::Add(HICON icon, const char* tip)
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_APP_TRAY_NOTIFY;
    data.hIcon = icon;
    if (tip)
        ::lstrcpynA(data.szTip, tip, sizeof data.szTip);
    return ::Shell_NotifyIconA(NIM_ADD, &data);
}

BOOL CTrayIcon::Delete()
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    return ::Shell_NotifyIconA(NIM_DELETE, &data);
}
