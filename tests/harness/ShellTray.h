// What the shell shows of the panel's tray icon on Wine's desktop, read from the
// shell's own windows as another program would: the tip and the balloon are tools of
// explorer's tool tip windows, the icon is pixels on its task bar.
#pragma once
#include <windows.h>
#include <string>

namespace ShellTray {

// The tip of the tray icon whose tip starts with prefix, or empty when the shell has none.
std::string Tip(const std::string& prefix);
// The text of the balloon the shell shows now, or empty when none is shown.
std::string Balloon();
// Hides a balloon the icon (owner, id) shows, as a new empty one does.
void HideBalloon(HWND owner, UINT id);
// Whether the icon whose tip starts with prefix is drawn with the red warning mark.
bool IconShowsWarning(const std::string& prefix);

}  // namespace ShellTray
