// The File menu's studio snapshots: save what the driver holds to a file the user
// chooses, and restore a file after showing its plan. The panel keeps no settings of
// its own: nothing is written unless the user asks.
#pragma once
#include "ui/Wnd.h"

class COVX_CPLView;

class CStudioSnapshot {
public:
    // owner: the window the file dialog and the messages belong to.
    static void Save(CWnd* owner);
    // The pages are refreshed once after the writes; view may be null.
    static void Restore(CWnd* owner, COVX_CPLView* view);
};
