// The window messages the panel sends itself, between its threads and between its
// instances. Their values are part of the single-instance protocol: keep them.
#pragma once
#include <windows.h>

constexpr UINT WM_APP_SHOW_SETTINGS = WM_APP + 1;   // a later start with "-asio" -> frame
constexpr UINT WM_APP_DRIVER_EVENT = WM_APP + 2;    // the notifier's thread -> view
constexpr UINT WM_APP_TRAY_NOTIFY = WM_APP + 3;     // the shell's tray -> frame
constexpr UINT WM_APP_HISTORY_CHANGED = WM_APP + 4; // the application -> the window showing the history
