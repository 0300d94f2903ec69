// The name a screen reader announces for a control that has no text of its own and
// no label just before it in z-order (a list, a tree): Windows' accessibility layer
// finds nothing to call it otherwise.
#pragma once
#include <windows.h>
#include <string>

// Names the control through dynamic annotation, and also gives it the name as its
// window text when that text is never drawn (list and tree views), which is where
// accessibility layers without annotation, Wine's among them, read a name from.
void SetAccessibleName(HWND control, const std::string& name);
