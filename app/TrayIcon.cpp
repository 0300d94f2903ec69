#include "app/TrayIcon.h"

#include <shellapi.h>
#include "app/AppMessages.h"

void CTrayIcon::Init(HWND owner, uint32_t iconId)
{
    m_hWndOwner = owner;
    m_nIconId = iconId;
}

namespace {

// The whole record: balloons and version 4 need it; the shell reads only as far as
// cbSize says.
NOTIFYICONDATAA MakeRecord(HWND owner, uint32_t id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    return data;
}

// Version 4 hides the standard tip unless NIF_SHOWTIP asks for it.
void SetIconAndTip(NOTIFYICONDATAA& data, HICON icon, const char* tip)
{
    data.uFlags |= NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.hIcon = icon;
    if (tip)
        ::lstrcpynA(data.szTip, tip, sizeof data.szTip);
}

}  // namespace

BOOL CTrayIcon::Add(HICON icon, const char* tip)
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    data.uFlags = NIF_MESSAGE;
    data.uCallbackMessage = WM_APP_TRAY_NOTIFY;
    SetIconAndTip(data, icon, tip);
    if (!::Shell_NotifyIconA(NIM_ADD, &data))
        return FALSE;
    data.uVersion = NOTIFYICON_VERSION_4;
    ::Shell_NotifyIconA(NIM_SETVERSION, &data);
    return TRUE;
}

BOOL CTrayIcon::Modify(HICON icon, const char* tip)
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    SetIconAndTip(data, icon, tip);
    return ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

BOOL CTrayIcon::ShowBalloon(const char* title, const char* text, DWORD iconFlags)
{
    ++m_nBalloonsAsked;
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    data.uFlags = NIF_INFO;
    ::lstrcpynA(data.szInfoTitle, title, sizeof data.szInfoTitle);
    ::lstrcpynA(data.szInfo, text, sizeof data.szInfo);
    data.dwInfoFlags = iconFlags | NIIF_RESPECT_QUIET_TIME;
    return ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

BOOL CTrayIcon::ReturnFocus()
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    return ::Shell_NotifyIconA(NIM_SETFOCUS, &data);
}

BOOL CTrayIcon::Delete()
{
    if (!m_hWndOwner)
        return FALSE;
    NOTIFYICONDATAA data = MakeRecord(m_hWndOwner, m_nIconId);
    return ::Shell_NotifyIconA(NIM_DELETE, &data);
}
