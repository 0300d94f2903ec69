// The names a screen reader announces for a window's controls, read through the
// accessibility layer (oleacc) as a reader reads them.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace Reader {

// The control's name. Controls whose window text is their value (edit boxes, combo
// boxes, list boxes, track bars) are named by Windows' label rule: the static text or
// group box just before them in z-order, skipping hidden windows and stopping at a tab
// stop or group. Wine does not apply that rule, so it is applied here; every other
// control's name is what oleacc reports.
std::string Name(HWND control);
// The controls of the window that a user can reach (visible by their style, tab
// stops, lists and trees) and that have no name, each described by class and id.
std::vector<std::string> Unnamed(HWND window);

}  // namespace Reader
