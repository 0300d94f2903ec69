// A tool tip control for the controls of one window. Its tools are subclassed here, so
// no one has to relay mouse messages to it. Not by the control itself (TTF_SUBCLASS):
// that finds its data in a window property on every message a tool gets, and under
// Wine each property read is a round trip to the window server.
#pragma once
#include <windows.h>
#include <string>
#include "ui/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    // The tip window is owned by parent and goes with it.
    BOOL Create(CWnd* parent, DWORD style);
    BOOL AddTool(HWND tool, const std::string& text) const;
    void SetMaxTipWidth(int width) const;
    void Activate(BOOL active) const;

private:
    HWND m_hWndOwner = nullptr;
};
