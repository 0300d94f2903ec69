// What a page may reach beyond itself: the main frame's status bar and the view.
#pragma once
#include <string>

class COVX_CPLView;

// Null when there is no main window or it shows no view; callers then skip the step.
COVX_CPLView* ActivePanelView();
// Writes a status bar pane of the main frame and draws it at once.
void SetMainFramePaneText(int pane, const std::string& text);
